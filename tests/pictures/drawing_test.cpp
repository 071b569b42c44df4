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
  return {
      {"SquareInside", Polygon(kSquare), {5, 5}, true},
      {"SquareOutside", Polygon(kSquare), {10.5, 5}, false},
      // A path round the square twice over leaves no inside under the even-odd rule.
      {"TwiceRoundIsEmpty",
       Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {0, 10}}),
       {5, 5},
       false},
      {"GrownReachesOut", Offset(kSquare, 2), {11.5, 5}, true},
      {"GrownStopsAtDistance", Offset(kSquare, 2), {12.5, 5}, false},
      {"GrownCornerIsRound", Offset(kSquare, 2), {11.6, 11.6}, false},
      {"GrownKeepsInside", Offset(kSquare, 2), {5, 5}, true},
      {"ShrunkLosesEdge", Offset(kSquare, -2), {1.5, 5}, false},
      {"ShrunkKeepsMiddle", Offset(kSquare, -2), {2.5, 5}, true},
      {"ShrunkStaysInside", Offset(kSquare, -2), {-1, 5}, false},
      {"OpenStrokeHasNoClosingSide", Stroke(kSquare, 1, false), {0, 5}, false},
      {"ClosedStrokeHasIt", Stroke(kSquare, 1, true), {0.4, 5}, true},
      {"RingBand", Ring({0, 0}, 3, 5), {0, 4}, true},
      {"RingHole", Ring({0, 0}, 3, 5), {2, 0}, false},
      {"EllipseLongAxis", Ellipse({0, 0}, 6, 2), {5.5, 0}, true},
      {"EllipseShortAxis", Ellipse({0, 0}, 6, 2), {0, 2.5}, false},
      // A quarter turn clockwise on screen takes the bar along x to one along y.
      {"TurnedBarMoved", Transformed(Rect(0, -1, 10, 1), Rotation({0, 0}, 90)), {0, 8}, true},
      {"TurnedBarLeft", Transformed(Rect(0, -1, 10, 1), Rotation({0, 0}, 90)), {8, 0}, false},
      {"ScaledAboutCentre", Transformed(Circle({5, 5}, 1), Scaling({5, 5}, 3)), {7.5, 5}, true},
      {"Moved", Transformed(Circle({0, 0}, 1), Translation(20, 0)), {20.5, 0}, true},
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

TEST(PictureShapeTest, InverseUndoesTheMap) {
  const Affine map = Rotation({3, 4}, 30).Then(Scaling({1, 1}, 2)).Then(Translation(5, -7));
  for (Point p : {Point{0, 0}, Point{10, -3}, Point{-4, 8}}) {
    const Point back = map.Inverse()(map(p));
    EXPECT_NEAR(back.x, p.x, 1e-9);
    EXPECT_NEAR(back.y, p.y, 1e-9);
  }
  // Then: first this map, then the next.
  const Point moved = Translation(1, 0).Then(Scaling({0, 0}, 2))({1, 1});
  EXPECT_DOUBLE_EQ(moved.x, 4);
  EXPECT_DOUBLE_EQ(moved.y, 2);
}

struct GradientCase {
  Point at;
  double red;
};

class PictureGradientTest : public testing::TestWithParam<GradientCase> {};

TEST_P(PictureGradientTest, FollowsTheStopsAlongTheAxis) {
  // From (10, 0) to (10, 20): red 0 at the start, 200 at a quarter, 100 at the end.
  const Paint paint =
      LinearGradient({10, 0}, {10, 20}, {{0, {0, 0, 0}}, {0.25, {200, 0, 0}}, {1, {100, 0, 0}}});
  EXPECT_NEAR(paint(GetParam().at).r, GetParam().red, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Points, PictureGradientTest,
                         testing::Values(GradientCase{{10, -5}, 0}, GradientCase{{10, 0}, 0},
                                         GradientCase{{3, 2.5}, 100}, GradientCase{{10, 5}, 200},
                                         GradientCase{{-40, 12.5}, 150},
                                         GradientCase{{10, 20}, 100}, GradientCase{{10, 90}, 100}));

TEST(PictureCanvasTest, EdgesBlendByCoverage) {
  Canvas canvas(3, 1, 4);
  canvas.Fill(Rect(0, 0, 3, 1), Colour{128, 128, 128});
  // Half of the middle pixel, and a shape reaching past the canvas on the right.
  canvas.Fill(Rect(1, 0, 1.5, 1), Colour{255, 0, 0});
  canvas.Fill(Rect(2.5, -5, 50, 5), Colour{0, 0, 255, 0.5});
  const RgbaImage image = canvas.Resolve();
  ASSERT_EQ(image.pixels.size(), 3u);
  EXPECT_EQ(image.pixels[0].r, 128);
  EXPECT_EQ(image.pixels[1].r, 192);  // (255 + 128) / 2
  EXPECT_EQ(image.pixels[1].g, 64);
  EXPECT_EQ(image.pixels[1].a, 255);
  EXPECT_EQ(image.pixels[2].r, 96);  // half of it under a half-clear blue
  EXPECT_EQ(image.pixels[2].b, 160);
}

TEST(PictureCanvasTest, PartlyCoveredPixelsKeepTheirColourOverNothing) {
  Canvas canvas(2, 1, 4);
  canvas.Fill(Rect(0.25, 0, 1, 1), Colour{200, 100, 50});
  const RgbaImage image = canvas.Resolve();
  EXPECT_EQ(image.pixels[0].r, 200);
  EXPECT_EQ(image.pixels[0].g, 100);
  EXPECT_EQ(image.pixels[0].b, 50);
  EXPECT_EQ(image.pixels[0].a, 191);  // three quarters of 255
  EXPECT_EQ(image.pixels[1].a, 0);
}

}  // namespace
