#include "picture_reader.h"

#include <fstream>
#include <iterator>

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t U16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes.at(at) | std::uint32_t{bytes.at(at + 1)} << 8;
}

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

DibImage ReadDib(const std::vector<std::uint8_t>& bytes, std::size_t offset, int rows,
                 bool withMask) {
  DibImage image;
  image.headerSize = U32(bytes, offset);
  image.width = static_cast<std::int32_t>(U32(bytes, offset + 4));
  image.height = static_cast<std::int32_t>(U32(bytes, offset + 8));
  image.planes = U16(bytes, offset + 12);
  image.bitCount = U16(bytes, offset + 14);
  image.compression = U32(bytes, offset + 16);
  image.imageSize = U32(bytes, offset + 20);
  image.coloursUsed = U32(bytes, offset + 32);
  std::size_t at = offset + 40;
  for (int i = 0; i < 256; ++i, at += 4) {
    image.palette.push_back({bytes.at(at + 2), bytes.at(at + 1), bytes.at(at)});
    image.paletteFourthBytesZero = image.paletteFourthBytesZero && bytes.at(at + 3) == 0;
  }
  const auto width = static_cast<std::size_t>(image.width);
  const auto count = static_cast<std::size_t>(rows) * width;
  image.indices.resize(count);
  const std::size_t stride = (width + 3) / 4 * 4;
  for (int row = 0; row < rows; ++row, at += stride) {
    const std::size_t y = static_cast<std::size_t>(rows - 1 - row);
    for (std::size_t x = 0; x < stride; ++x) {
      if (x < width) {
        image.indices[y * width + x] = bytes.at(at + x);
      } else if (bytes.at(at + x) != 0) {
        image.paddingZero = false;
      }
    }
  }
  if (withMask) {
    image.clear.resize(count);
    const std::size_t maskStride = ((width + 7) / 8 + 3) / 4 * 4;
    for (int row = 0; row < rows; ++row, at += maskStride) {
      const std::size_t y = static_cast<std::size_t>(rows - 1 - row);
      for (std::size_t x = 0; x < maskStride * 8; ++x) {
        const bool bit = (bytes.at(at + x / 8) >> (7 - x % 8)) & 1;
        if (x < width) {
          image.clear[y * width + x] = bit;
        } else if (bit) {
          image.paddingZero = false;
        }
      }
    }
  }
  image.end = at;
  return image;
}
