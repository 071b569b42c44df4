#include <gtest/gtest.h>

#include <string>

#include "image_files.h"
#include "picture_reader.h"

namespace {

// A picture whose every pixel and palette entry differ from their neighbours, with every third
// pixel clear.
IndexedImage Pattern(int width, int height) {
  IndexedImage image{width, height, {}, {}, {}};
  for (std::size_t i = 0; i < image.palette.size(); ++i) {
    image.palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                        static_cast<std::uint8_t>(i * 7)};
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool clear = (x + 2 * y) % 3 == 0;
      image.clear.push_back(clear);
      image.pixels.push_back(clear ? 0 : static_cast<std::uint8_t>(1 + (x * 7 + y * 13) % 255));
    }
  }
  return image;
}

void ExpectSamePicture(const IndexedImage& image, const DibImage& read, bool withMask) {
  EXPECT_EQ(read.width, image.width);
  EXPECT_TRUE(read.paddingZero);
  EXPECT_TRUE(read.paletteFourthBytesZero);
  for (std::size_t i = 0; i < 256; ++i) EXPECT_EQ(read.palette[i], image.palette[i]) << i;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      EXPECT_EQ(read.at(x, y), image.at(x, y)) << x << ',' << y;
      if (withMask) {
        EXPECT_EQ(read.clear_at(x, y), image.clear_at(x, y)) << x << ',' << y;
      }
    }
  }
}

struct Size {
  int width;
  int height;
  std::size_t stride;      // bytes in a colour row
  std::size_t maskStride;  // bytes in a mask row
};

// Widths on either side of each padding step.
constexpr Size kSizes[] = {
    {1, 1, 4, 4},  {2, 3, 4, 4},   {3, 2, 4, 4},   {4, 1, 4, 4},      {5, 4, 8, 4},
    {9, 3, 12, 4}, {33, 2, 36, 8}, {64, 3, 64, 8}, {256, 2, 256, 32},
};

class PictureEncodingTest : public testing::TestWithParam<Size> {};

TEST_P(PictureEncodingTest, BitmapRowsRunBottomUpAndArePadded) {
  const Size& size = GetParam();
  const IndexedImage image = Pattern(size.width, size.height);
  const std::vector<std::uint8_t> bytes = EncodeBmp(image);
  const std::size_t rows = size.stride * static_cast<std::size_t>(size.height);
  ASSERT_EQ(bytes.size(), 1078 + rows);
  EXPECT_EQ(U32(bytes, 2), bytes.size());
  EXPECT_EQ(U32(bytes, 10), 1078u);
  const DibImage read = ReadDib(bytes, 14, size.height, false);
  EXPECT_EQ(read.height, size.height);
  EXPECT_EQ(read.imageSize, rows);
  EXPECT_EQ(read.end, bytes.size());
  ExpectSamePicture(image, read, false);
}

TEST_P(PictureEncodingTest, IconHoldsColourRowsThenMask) {
  const Size& size = GetParam();
  const IndexedImage image = Pattern(size.width, size.height);
  const std::vector<std::uint8_t> bytes = EncodeIco(image);
  const std::size_t data = (size.stride + size.maskStride) * static_cast<std::size_t>(size.height);
  ASSERT_EQ(bytes.size(), 22 + 40 + 1024 + data);
  EXPECT_EQ(bytes[6], static_cast<std::uint8_t>(size.width));  // 256 is written as 0
  EXPECT_EQ(bytes[7], size.height);
  EXPECT_EQ(U32(bytes, 14), bytes.size() - 22);
  const DibImage read = ReadDib(bytes, 22, size.height, true);
  EXPECT_EQ(read.height, 2 * size.height);
  EXPECT_EQ(read.imageSize, data);
  EXPECT_EQ(read.end, bytes.size());
  ExpectSamePicture(image, read, true);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PictureEncodingTest, testing::ValuesIn(kSizes),
                         [](const testing::TestParamInfo<Size>& test) {
                           return std::to_string(test.param.width) + "x" +
                                  std::to_string(test.param.height);
                         });

}  // namespace
