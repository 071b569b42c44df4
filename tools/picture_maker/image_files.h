// Windows bitmap (.bmp) and icon (.ico) files of 8-bit palette pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "palette.h"

// BITMAPFILEHEADER, BITMAPINFOHEADER, the 256-entry colour table, then uncompressed rows from
// the bottom up, each padded to a multiple of 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const IndexedImage& image);

// An icon file of this one picture (at most 256 pixels a side): the directory, then the image
// as a bitmap of twice the height (colour rows, then the AND mask that makes clear pixels
// see-through; clear pixels have colour index 0, which should be black).
std::vector<std::uint8_t> EncodeIco(const IndexedImage& image);
