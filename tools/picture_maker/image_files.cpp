#include "image_files.h"

#include <stdexcept>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kColourTableSize = 256 * 4;
constexpr std::uint32_t kIconDirectorySize = 6 + 16;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::uint32_t Padded(std::uint32_t bytes) { return (bytes + 3) / 4 * 4; }

std::uint32_t Width(const IndexedImage& image) { return static_cast<std::uint32_t>(image.width); }
std::uint32_t Height(const IndexedImage& image) { return static_cast<std::uint32_t>(image.height); }

std::uint32_t ColourRowsSize(const IndexedImage& image) {
  return Padded(Width(image)) * Height(image);
}

std::uint32_t MaskRowsSize(const IndexedImage& image) {
  return Padded((Width(image) + 7) / 8) * Height(image);
}

void PutInfoHeader(std::vector<std::uint8_t>& out, const IndexedImage& image, std::uint32_t height,
                   std::uint32_t imageSize) {
  Put32(out, kInfoHeaderSize);
  Put32(out, Width(image));
  Put32(out, height);  // positive: rows from the bottom up
  Put16(out, 1);       // planes
  Put16(out, 8);       // bits per pixel
  Put32(out, 0);       // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 pixels per inch
  Put32(out, 2835);
  Put32(out, 256);  // colours used
  Put32(out, 0);    // all of them important
}

void PutColourTable(std::vector<std::uint8_t>& out, const IndexedImage& image) {
  for (const Rgb& colour : image.palette) {
    out.push_back(colour.b);
    out.push_back(colour.g);
    out.push_back(colour.r);
    out.push_back(0);
  }
}

void PutColourRows(std::vector<std::uint8_t>& out, const IndexedImage& image) {
  const std::uint32_t padding = Padded(Width(image)) - Width(image);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) out.push_back(image.at(x, y));
    out.insert(out.end(), padding, 0);
  }
}

void PutMaskRows(std::vector<std::uint8_t>& out, const IndexedImage& image) {
  const std::uint32_t rowSize = Padded((Width(image) + 7) / 8);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(rowSize, 0);
    for (int x = 0; x < image.width; ++x) {
      if (image.clear_at(x, y))
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const IndexedImage& image) {
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kColourTableSize;
  const std::uint32_t size = offset + ColourRowsSize(image);
  std::vector<std::uint8_t> out;
  out.reserve(size);
  out.push_back('B');
  out.push_back('M');
  Put32(out, size);
  Put32(out, 0);  // reserved
  Put32(out, offset);
  PutInfoHeader(out, image, Height(image), ColourRowsSize(image));
  PutColourTable(out, image);
  PutColourRows(out, image);
  return out;
}

std::vector<std::uint8_t> EncodeIco(const IndexedImage& image) {
  if (image.width > 256 || image.height > 256) {
    throw std::invalid_argument("an icon image is at most 256 pixels a side");
  }
  const std::uint32_t bitmapSize =
      kInfoHeaderSize + kColourTableSize + ColourRowsSize(image) + MaskRowsSize(image);
  std::vector<std::uint8_t> out;
  out.reserve(kIconDirectorySize + bitmapSize);
  Put16(out, 0);                                          // reserved
  Put16(out, 1);                                          // an icon, not a cursor
  Put16(out, 1);                                          // one image
  out.push_back(static_cast<std::uint8_t>(image.width));  // 256 is written as 0
  out.push_back(static_cast<std::uint8_t>(image.height));
  out.push_back(0);  // 0 colours: 256
  out.push_back(0);  // reserved
  Put16(out, 1);     // planes
  Put16(out, 8);     // bits per pixel
  Put32(out, bitmapSize);
  Put32(out, kIconDirectorySize);
  PutInfoHeader(out, image, 2 * Height(image), ColourRowsSize(image) + MaskRowsSize(image));
  PutColourTable(out, image);
  PutColourRows(out, image);
  PutMaskRows(out, image);
  return out;
}
