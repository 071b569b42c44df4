// Reads back the bitmap and icon files the picture maker writes, field by field, so that the
// tests can check every header value and pixel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "palette.h"

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

std::uint32_t U16(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at);

// A BITMAPINFOHEADER, its colour table and its rows.
struct DibImage {
  std::uint32_t headerSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
  std::uint32_t coloursUsed = 0;
  std::vector<Rgb> palette;  // 256 entries
  bool paletteFourthBytesZero = true;
  std::vector<std::uint8_t> indices;  // rows top to bottom
  std::vector<bool> clear;            // the AND mask's bits, rows top to bottom, when read
  bool paddingZero = true;            // every byte that pads a row is 0
  std::size_t end = 0;                // just past the last row

  std::uint8_t at(int x, int y) const { return indices[Offset(x, y)]; }
  Rgb colour(int x, int y) const { return palette[at(x, y)]; }
  bool clear_at(int x, int y) const { return clear[Offset(x, y)]; }

 private:
  std::size_t Offset(int x, int y) const { return static_cast<std::size_t>(y * width + x); }
};

// Reads the image at `offset`, an 8-bit one `rows` high, with an AND mask after its colour rows
// when `withMask`. Throws std::out_of_range when the bytes end early.
DibImage ReadDib(const std::vector<std::uint8_t>& bytes, std::size_t offset, int rows,
                 bool withMask);
