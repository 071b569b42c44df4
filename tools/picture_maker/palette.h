// Reduction of an RGBA picture to 256 palette colours by median cut.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "canvas.h"

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::array<Rgb, 256> palette{};
  std::vector<std::uint8_t> pixels;  // palette indices, rows top to bottom
  std::vector<bool> clear;           // per pixel: see-through (index 0)

  std::uint8_t at(int x, int y) const { return pixels[Offset(x, y)]; }
  bool clear_at(int x, int y) const { return clear[Offset(x, y)]; }

 private:
  std::size_t Offset(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
  }
};

// The palette starts with `fixed` (at most 256 colours; a pixel of exactly such a colour keeps
// it), the rest is fitted to the picture's other colours, and unused entries are black. A pixel
// less than half opaque is clear and takes index 0; the others count as fully opaque.
IndexedImage Quantise(const RgbaImage& image, const std::vector<Rgb>& fixed);
