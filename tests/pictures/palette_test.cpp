#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "palette.h"

namespace {

constexpr Rgb kGrey{128, 128, 128};

RgbaImage Blank(int width, int height) {
  return {width, height,
          std::vector<Rgba8>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height))};
}

Rgb ColourOf(const Rgba8& pixel) { return {pixel.r, pixel.g, pixel.b}; }

struct ExactCase {
  const char* name;
  std::vector<Rgb> fixed;
  int distinct;  // further colours, each on a few pixels
};

// Up to as many colours as the palette has room for come through unchanged.
class PicturePaletteExactTest : public testing::TestWithParam<ExactCase> {};

TEST_P(PicturePaletteExactTest, KeepsEveryColour) {
  const ExactCase& test = GetParam();
  RgbaImage image = Blank(test.distinct, 4);
  for (int x = 0; x < test.distinct; ++x) {
    for (int y = 0; y < 4; ++y) {
      const auto k = static_cast<std::uint8_t>(x);
      // Neighbouring colours, so that a coarse cut would merge them.
      image.pixels[static_cast<std::size_t>(y * test.distinct + x)] =
          y == 3 && !test.fixed.empty()
              ? Rgba8{test.fixed[0].r, test.fixed[0].g, test.fixed[0].b, 255}
              : Rgba8{k, static_cast<std::uint8_t>(k / 2), static_cast<std::uint8_t>(200 - k / 4),
                      255};
    }
  }
  const IndexedImage indexed = Quantise(image, test.fixed);
  for (std::size_t i = 0; i < test.fixed.size(); ++i) EXPECT_EQ(indexed.palette[i], test.fixed[i]);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < test.distinct; ++x) {
      const Rgba8& pixel = image.pixels[static_cast<std::size_t>(y * test.distinct + x)];
      EXPECT_FALSE(indexed.clear_at(x, y));
      EXPECT_EQ(indexed.palette[indexed.at(x, y)], ColourOf(pixel)) << x << ',' << y;
      if (y == 3 && !test.fixed.empty()) {
        EXPECT_EQ(indexed.at(x, y), 0);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PicturePaletteExactTest,
    testing::Values(ExactCase{"OneColour", {}, 1}, ExactCase{"OneBesideGrey", {kGrey}, 1},
                    ExactCase{"FullPalette", {}, 256}, ExactCase{"FullBesideGrey", {kGrey}, 255},
                    ExactCase{"FullBesideTwo", {kGrey, {0, 0, 0}}, 254}),
    [](const testing::TestParamInfo<ExactCase>& test) { return std::string(test.param.name); });

TEST(PicturePaletteTest, ManyColoursComeClose) {
  // A smooth two-way ramp of 4096 colours around a grey that must stay exact.
  RgbaImage image = Blank(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      image.pixels[static_cast<std::size_t>(y * 64 + x)] =
          x == y ? Rgba8{128, 128, 128, 255}
                 : Rgba8{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                         static_cast<std::uint8_t>(255 - x * 2), 255};
    }
  }
  const IndexedImage indexed = Quantise(image, {kGrey});
  int worst = 0;
  int total = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const Rgba8& pixel = image.pixels[static_cast<std::size_t>(y * 64 + x)];
      const Rgb got = indexed.palette[indexed.at(x, y)];
      if (x == y) {
        EXPECT_EQ(indexed.at(x, y), 0);
      }
      const int error = std::max(
          {std::abs(got.r - pixel.r), std::abs(got.g - pixel.g), std::abs(got.b - pixel.b)});
      worst = std::max(worst, error);
      total += error;
    }
  }
  // 255 colours for 4096 leave about a 4 x 4 block of the ramp to each: 6 steps off at the
  // block's edges.
  EXPECT_LE(worst, 12);
  EXPECT_LE(total, 6 * 64 * 64);
}

}  // namespace
