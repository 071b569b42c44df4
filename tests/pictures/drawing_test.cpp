#include <gtest/gtest.h>

#include <string>

#include "canvas.h"
#include "shapes.h"

namespace {

struct InsideCase {
  const char* name;
  Shape shape;
  Point point;
  bool inside;
};

const std::vector<Point> kSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}};

std::vector<InsideCase> InsideCases() {
  const Shape bar = Rect(0, -1, 10, 1);
  return {
      // A path round the square twice over leaves no inside under the even-odd rule.
      {"TwiceRoundIsEmpty",
       Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {0, 10}}),
       {5, 5},
       false},
      {"GrownReachesOut", Offset(kSquare, 2), {11.5, 5}, true},
      {"GrownStopsAtDistance", Offset(kSquare, 2), {12.5, 5}, false},
      {"GrownCornerIsRound", Offset(kSquare, 2), {11.6, 11.6}, false},
      {"ShrunkLosesEdge", Offset(kSquare, -2), {1.5, 5}, false},
      {"ShrunkKeepsMiddle", Offset(kSquare, -2), {2.5, 5}, true},
      {"ShrunkStaysInside", Offset(kSquare, -2), {-1, 5}, false},
      {"OpenStrokeHasNoClosingSide", Stroke(kSquare, 1, false), {0, 5}, false},
      {"ClosedStrokeHasIt", Stroke(kSquare, 1, true), {0.4, 5}, true},
      {"RingHole", Ring({0, 0}, 3, 5), {2, 0}, false},
      // A quarter turn clockwise on screen takes the bar along x to one along y.
      {"TurnedBarMoved", Transformed(bar, Rotation({0, 0}, 90)), {0, 8}, true},
      {"TurnedBarLeft", Transformed(bar, Rotation({0, 0}, 90)), {8, 0}, false},
      {"ScaledThenMoved",
       Transformed(bar, Scaling({0, 0}, 2).Then(Translation(0, 5))),
       {19, 6.5},
       true},
  };
}

class PictureShapeTest : public testing::TestWithParam<InsideCase> {};

TEST_P(PictureShapeTest, Contains) {
  const InsideCase& test = GetParam();
  EXPECT_EQ(test.shape.contains(test.point), test.inside);
  if (test.inside) {
    const Box& box = test.shape.bounds;
    EXPECT_TRUE(test.point.x >= box.x0 && test.point.x <= box.x1 && test.point.y >= box.y0 &&
                test.point.y <= box.y1)
        << "the bounds miss an inside point";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PictureShapeTest, testing::ValuesIn(InsideCases()),
                         [](const testing::TestParamInfo<InsideCase>& test) {
                           return std::string(test.param.name);
                         });

TEST(PictureCanvasTest, EdgesBlendByCoverage) {
  Canvas canvas(4, 1, 4);
  canvas.Fill(Rect(0, 0, 3, 1), Colour{128, 128, 128});
  // Half of the second pixel; half of the third, and past the canvas, under a half-clear blue;
  // three quarters of the fourth, over nothing.
  canvas.Fill(Rect(1, 0, 1.5, 1), Colour{255, 0, 0});
  canvas.Fill(Rect(2.5, -5, 3, 5), Colour{0, 0, 255, 0.5});
  canvas.Fill(Rect(3.25, 0, 50, 1), Colour{200, 100, 50});
  const RgbaImage image = canvas.Resolve();
  ASSERT_EQ(image.pixels.size(), 4u);
  EXPECT_EQ(image.pixels[0].r, 128);
  EXPECT_EQ(image.pixels[1].r, 192);  // (255 + 128) / 2
  EXPECT_EQ(image.pixels[1].g, 64);
  EXPECT_EQ(image.pixels[1].a, 255);
  EXPECT_EQ(image.pixels[2].r, 96);
  EXPECT_EQ(image.pixels[2].b, 160);
  // Over nothing the colour stays whole and the coverage goes to the opacity.
  EXPECT_EQ(image.pixels[3].r, 200);
  EXPECT_EQ(image.pixels[3].g, 100);
  EXPECT_EQ(image.pixels[3].b, 50);
  EXPECT_EQ(image.pixels[3].a, 191);
}

}  // namespace
