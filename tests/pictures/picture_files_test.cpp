#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

#include "picture_files.h"
#include "picture_reader.h"

namespace {

namespace fs = std::filesystem;

struct Output {
  const char* name;
  int width;
  int height;
  bool icon;
};

constexpr Output kOutputs[] = {
    {"war2.bmp", 140, 135, false},
    {"mascot.bmp", 110, 116, false},
    {"statwarden.ico", 64, 64, true},
};

constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kBlack{0, 0, 0};

fs::path FreshFolder() {
  std::random_device random;
  return fs::temp_directory_path() / ("picture_tests-" + std::to_string(random()));
}

std::uint32_t Stride(int width) { return (static_cast<std::uint32_t>(width) + 3) / 4 * 4; }

// The pictures are written once, into a folder that does not exist yet.
class PictureFileTest : public testing::TestWithParam<Output> {
 protected:
  static void SetUpTestSuite() {
    root_ = FreshFolder();
    WritePictures(root_ / "made" / "here");
  }
  static void TearDownTestSuite() { fs::remove_all(root_); }

  static std::vector<std::uint8_t> Bytes() {
    return ReadBytes(root_ / "made" / "here" / GetParam().name);
  }
  static DibImage Image(const std::vector<std::uint8_t>& bytes) {
    return GetParam().icon ? ReadDib(bytes, 22, GetParam().height, true)
                           : ReadDib(bytes, 14, GetParam().height, false);
  }

  static inline fs::path root_;
};

TEST_P(PictureFileTest, HeadersAreExact) {
  const Output& output = GetParam();
  const std::vector<std::uint8_t> bytes = Bytes();
  const DibImage image = Image(bytes);
  const std::uint32_t rows = Stride(output.width) * static_cast<std::uint32_t>(output.height);
  if (output.icon) {
    const std::uint32_t mask = 8 * static_cast<std::uint32_t>(output.height);
    EXPECT_EQ(bytes.size(), 22 + 40 + 1024 + rows + mask);
    EXPECT_EQ(U16(bytes, 0), 0u);
    EXPECT_EQ(U16(bytes, 2), 1u);  // an icon
    EXPECT_EQ(U16(bytes, 4), 1u);  // one image
    EXPECT_EQ(bytes[6], output.width);
    EXPECT_EQ(bytes[7], output.height);
    EXPECT_EQ(bytes[8], 0);  // 256 colours
    EXPECT_EQ(bytes[9], 0);
    EXPECT_EQ(U16(bytes, 10), 1u);
    EXPECT_EQ(U16(bytes, 12), 8u);
    EXPECT_EQ(U32(bytes, 14), bytes.size() - 22);
    EXPECT_EQ(U32(bytes, 18), 22u);
    EXPECT_EQ(image.height, 2 * output.height);
    EXPECT_EQ(image.imageSize, rows + mask);
  } else {
    EXPECT_EQ(bytes.size(), 14 + 40 + 1024 + rows);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32(bytes, 2), bytes.size());
    EXPECT_EQ(U32(bytes, 6), 0u);
    EXPECT_EQ(U32(bytes, 10), 14u + 40 + 1024);
    EXPECT_EQ(image.height, output.height);
    EXPECT_EQ(image.imageSize, rows);
  }
  EXPECT_EQ(image.headerSize, 40u);
  EXPECT_EQ(image.width, output.width);
  EXPECT_EQ(image.planes, 1u);
  EXPECT_EQ(image.bitCount, 8u);
  EXPECT_EQ(image.compression, 0u);
  EXPECT_EQ(image.coloursUsed, 256u);
  EXPECT_TRUE(image.paletteFourthBytesZero);
  EXPECT_TRUE(image.paddingZero);
  EXPECT_EQ(image.end, bytes.size());
}

TEST_P(PictureFileTest, DrawsAPictureNotAFlatFill) {
  const Output& output = GetParam();
  const DibImage image = Image(Bytes());
  std::set<std::uint32_t> colours;
  int shown = 0;
  for (int y = 0; y < output.height; ++y) {
    for (int x = 0; x < output.width; ++x) {
      if (output.icon && image.clear_at(x, y)) continue;
      ++shown;
      const Rgb c = image.colour(x, y);
      colours.insert(std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b);
    }
  }
  EXPECT_GE(colours.size(), 64u);
  // The icon's shape covers most of it, but not all.
  if (output.icon) {
    EXPECT_GT(shown, output.width * output.height / 2);
    EXPECT_LT(shown, output.width * output.height * 9 / 10);
  }
}

TEST_P(PictureFileTest, CornersShowWhatLiesBehind) {
  const Output& output = GetParam();
  const DibImage image = Image(Bytes());
  for (const auto& [x, y] :
       {std::pair{0, 0}, std::pair{output.width - 1, 0}, std::pair{0, output.height - 1},
        std::pair{output.width - 1, output.height - 1}}) {
    SCOPED_TRACE(testing::Message() << "corner " << x << ',' << y);
    if (output.icon) {
      EXPECT_TRUE(image.clear_at(x, y));
    } else {
      EXPECT_EQ(image.colour(x, y), kGrey);
    }
  }
  if (output.icon) {
    EXPECT_FALSE(image.clear_at(output.width / 2, output.height / 2));
    // A clear pixel shows the desktop only when its colour is black.
    for (int y = 0; y < output.height; ++y) {
      for (int x = 0; x < output.width; ++x) {
        if (image.clear_at(x, y)) {
          EXPECT_EQ(image.colour(x, y), kBlack) << x << ',' << y;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Outputs, PictureFileTest, testing::ValuesIn(kOutputs),
                         [](const testing::TestParamInfo<Output>& test) {
                           std::string name = test.param.name;
                           return name.substr(0, name.find('.'));
                         });

TEST(PictureFolderTest, FailsWhenTheFolderIsAFile) {
  const fs::path file = FreshFolder();
  std::ofstream(file) << "in the way";
  EXPECT_THROW(WritePictures(file), std::runtime_error);
  EXPECT_THROW(WritePictures(file / "below"), std::runtime_error);
  fs::remove(file);
}

}  // namespace
