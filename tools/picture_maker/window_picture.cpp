#include <cmath>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "emblem.h"
#include "pictures.h"

namespace {

constexpr int kSamples = 6;

constexpr Colour kParchmentLight{246, 230, 188};
constexpr Colour kParchmentDark{196, 158, 98};
constexpr Colour kSea{96, 150, 170};
constexpr Colour kShore{60, 104, 128};
constexpr Colour kForest{58, 104, 52};
constexpr Colour kForestDark{34, 66, 34};
constexpr Colour kMountain{150, 108, 66};
constexpr Colour kMountainLight{222, 196, 150};
constexpr Colour kRouteRed{178, 34, 28};
constexpr Colour kSheetEdge{150, 108, 60};

// The map sheet, in its own coordinates.
constexpr double kSheetWidth = 118;
constexpr double kSheetHeight = 82;
// Where the route ends, under the glass.
constexpr Point kMark{95, 56};

std::vector<Point> SheetOutline() {
  // Slightly wavy edges, like a sheet that has been folded and carried about.
  std::vector<Point> outline;
  const auto edge = [&outline](Point from, Point to, double wobble, double phase) {
    const Point along = to - from;
    const double length = std::hypot(along.x, along.y);
    const Point normal{-along.y / length, along.x / length};
    for (int i = 0; i < 12; ++i) {
      const double t = i / 12.0;
      const double bulge = wobble * std::sin(t * 9 + phase) * std::sin(t * std::numbers::pi);
      outline.push_back(from + along * t + normal * bulge);
    }
  };
  edge({0, 0}, {kSheetWidth, 0}, 1.2, 0);
  edge({kSheetWidth, 0}, {kSheetWidth, kSheetHeight}, 1.0, 2);
  edge({kSheetWidth, kSheetHeight}, {0, kSheetHeight}, 1.2, 4);
  edge({0, kSheetHeight}, {0, 0}, 1.0, 1);
  return outline;
}

// Draws the map sheet and everything on it through `toCanvas`, only inside `clip` when there is
// one.
void DrawSheet(Canvas& canvas, const Affine& toCanvas, const std::optional<Shape>& clip) {
  const std::vector<Point> sheet = SheetOutline();
  const auto fill = [&](Shape shape, const Paint& paint) {
    Shape placed = Transformed(std::move(shape), toCanvas);
    if (clip) placed = Intersection(std::move(placed), *clip);
    canvas.Fill(placed, Transformed(paint, toCanvas));
  };
  // For what would reach past the sheet's edge.
  const auto onSheet = [&sheet](Shape shape) {
    return Intersection(std::move(shape), Polygon(sheet));
  };

  fill(Polygon(sheet),
       Grainy(RadialGradient({kSheetWidth / 2, kSheetHeight / 2}, kSheetWidth * 0.62,
                             {{0, kParchmentLight}, {0.6, kParchmentLight}, {1, kParchmentDark}}),
              6, 7));
  // Faint fold lines.
  for (double x : {kSheetWidth / 3, kSheetWidth * 2 / 3}) {
    fill(onSheet(Rect(x - 0.4, 0, x + 0.4, kSheetHeight)), Solid(WithAlpha(kParchmentDark, 0.45)));
  }
  fill(onSheet(Rect(0, kSheetHeight / 2 - 0.4, kSheetWidth, kSheetHeight / 2 + 0.4)),
       Solid(WithAlpha(kParchmentDark, 0.45)));

  // A bay reaching in from the top right.
  std::vector<Point> sea{{62, -2}};
  CubicTo(sea, {64, 14}, {80, 12}, {86, 22});
  CubicTo(sea, {92, 32}, {104, 30}, {108, 40});
  CubicTo(sea, {112, 48}, {116, 46}, {120, 48});
  sea.push_back({120, -2});
  fill(onSheet(Offset(sea, 1.4)), Solid(kShore));
  fill(onSheet(Polygon(sea)), LinearGradient({90, 0}, {90, 44}, {{0, kShore}, {1, kSea}}));
  for (Point wave : {Point{80, 8}, Point{98, 14}, Point{90, 24}, Point{108, 30}}) {
    std::vector<Point> crest{wave};
    QuadTo(crest, wave + Point{2.5, -2}, wave + Point{5, 0}, 6);
    QuadTo(crest, wave + Point{7.5, 2}, wave + Point{10, 0}, 6);
    fill(Stroke(crest, 0.8, false), Solid(Colour{190, 220, 226, 0.7}));
  }

  // Hills in the lower left.
  for (Point foot : {Point{14, 62}, Point{24, 58}, Point{31, 67}}) {
    const std::vector<Point> peak{foot + Point{-7, 0}, foot + Point{0, -10}, foot + Point{7, 0}};
    fill(Offset(peak, 0.6), Solid(kInk));
    fill(Polygon(peak), Solid(kMountain));
    fill(Polygon({foot + Point{-7, 0}, foot + Point{0, -10}, foot + Point{-1, 0}}),
         Solid(kMountainLight));
  }

  // A river from the hills, under the shield, into the bay.
  std::vector<Point> river{{30, 50}};
  CubicTo(river, {40, 36}, {56, 40}, {60, 30});
  CubicTo(river, {64, 20}, {76, 24}, {84, 22});
  fill(Stroke(river, 2.2, false), Solid(kShore));
  fill(Stroke(river, 1.2, false), Solid(kSea));

  // Woods in the lower middle.
  for (Point tree : {Point{50, 62}, Point{56, 59}, Point{62, 63}, Point{54, 67}, Point{60, 69},
                     Point{67, 58}, Point{46, 69}, Point{68, 68}}) {
    fill(Circle(tree, 3.6), Solid(kForestDark));
    fill(Circle(tree + Point{-0.7, -0.7}, 2.7), Solid(kForest));
  }

  // A dashed route from the hills to the mark by the shore.
  std::vector<Point> route{{36, 56}};
  CubicTo(route, {40, 46}, {66, 42}, {72, 50}, 60);
  CubicTo(route, {80, 58}, {84, 50}, {90, 54}, 60);
  for (std::size_t i = 0; i + 8 < route.size(); i += 14) {
    fill(Capsule(route[i], route[i + 8], 0.9), Solid(kRouteRed));
  }
  fill(Capsule(kMark + Point{-3.2, -3.2}, kMark + Point{3.2, 3.2}, 1.3), Solid(kRouteRed));
  fill(Capsule(kMark + Point{-3.2, 3.2}, kMark + Point{3.2, -3.2}, 1.3), Solid(kRouteRed));

  // A small compass rose by the lower edge.
  const Point rose{82, 73};
  fill(Polygon(
           {rose + Point{0, -7}, rose + Point{1.8, 0}, rose + Point{0, 7}, rose + Point{-1.8, 0}}),
       Solid(kInk));
  fill(Polygon(
           {rose + Point{-5, 0}, rose + Point{0, 1.4}, rose + Point{5, 0}, rose + Point{0, -1.4}}),
       Solid(Mix(kInk, kParchmentDark, 0.3)));
  fill(Circle(rose, 1), Solid(kParchmentLight));

  fill(onSheet(Stroke(sheet, 1.6, true)), Solid(kSheetEdge));
}

}  // namespace

RgbaImage DrawWindowPicture() {
  Canvas canvas(140, 135, kSamples);
  canvas.Fill(Rect(0, 0, 140, 135), kWindowGrey);

  const Affine toCanvas =
      Rotation({kSheetWidth / 2, kSheetHeight / 2}, -5).Then(Translation(12, 44));
  // The sheet's shadow, soft at the edge.
  const Affine shadowPlace = toCanvas.Then(Translation(2.5, 3));
  for (double grow : {3.0, 2.0, 1.0, 0.0}) {
    canvas.Fill(Transformed(Offset(SheetOutline(), grow), shadowPlace), WithAlpha(kInk, 0.12));
  }
  DrawSheet(canvas, toCanvas, std::nullopt);

  // The shield in front of the map's upper left, with its own shadow.
  const Point shieldAt{10, 5};
  const double shieldWidth = 62;
  const double shieldHeight = 76;
  const std::vector<Point> shieldShadow =
      ShieldOutline(shieldAt + Point{3, 3}, shieldWidth, shieldHeight);
  for (double grow : {3.5, 2.0, 0.5}) {
    canvas.Fill(Offset(shieldShadow, grow), WithAlpha(kInk, 0.16));
  }
  DrawShield(canvas, shieldAt, shieldWidth, shieldHeight, {1.2, 5, false});

  // The glass over the mark, showing it larger.
  const Magnifier glass{{96, 86}, 19, 4.5, 45, 22, 8};
  const Point under = toCanvas(kMark);
  const Affine enlarged =
      toCanvas.Then(Scaling(under, 1.9))
          .Then(Translation(glass.centre.x - under.x, glass.centre.y - under.y));
  DrawSheet(canvas, enlarged, Lens(glass));
  DrawMagnifier(canvas, glass);
  return canvas.Resolve();
}
