#include "emblem.h"

#include <cmath>
#include <numbers>

namespace {

constexpr Colour kGoldLight{255, 232, 140};
constexpr Colour kGold{226, 172, 58};
constexpr Colour kGoldDark{138, 90, 24};
constexpr Colour kFieldTop{70, 112, 200};
constexpr Colour kFieldBottom{20, 38, 104};
constexpr Colour kSilverLight{250, 250, 252};
constexpr Colour kSilverDark{150, 162, 186};

Point Along(Point from, double degrees, double distance) {
  const double angle = degrees * std::numbers::pi / 180;
  return {from.x + std::cos(angle) * distance, from.y + std::sin(angle) * distance};
}

// A crenellated tower standing in the box (x, y, w, h): merlons on a wider top, a tapering body,
// and a plinth.
std::vector<Point> TowerOutline(double x, double y, double w, double h, double crenelDepth) {
  const double cx = x + w / 2;
  const double top = y;
  const double crenel = y + h * crenelDepth;
  const double corbel = y + h * 0.27;
  const double body = y + h * 0.34;
  const double plinth = y + h * 0.88;
  const double bottom = y + h;
  // Three merlons and two gaps of equal width.
  const double step = w / 5;
  const std::vector<Point> left{{cx, top},
                                {cx - step / 2, top},
                                {cx - step / 2, crenel},
                                {x + step, crenel},
                                {x + step, top},
                                {x, top},
                                {x, corbel},
                                {x + w * 0.14, body},
                                {x + w * 0.12, plinth},
                                {x + w * 0.04, plinth},
                                {x + w * 0.04, bottom}};
  std::vector<Point> outline = left;
  const std::vector<Point> right = Mirrored(left, cx);
  outline.insert(outline.end(), right.begin(), right.end());
  return outline;
}

}  // namespace

std::vector<Point> ShieldOutline(Point topLeft, double width, double height) {
  const double x = topLeft.x;
  const double y = topLeft.y;
  const double cx = x + width / 2;
  std::vector<Point> left{{cx, y + height * 0.05}};
  QuadTo(left, {x + width * 0.28, y + height * 0.05}, {x, y});
  left.push_back({x, y + height * 0.40});
  CubicTo(left, {x, y + height * 0.70}, {x + width * 0.28, y + height * 0.88}, {cx, y + height},
          32);
  std::vector<Point> outline = left;
  const std::vector<Point> right = Mirrored(left, cx);
  outline.insert(outline.end(), right.begin(), right.end());
  return outline;
}

void DrawShield(Canvas& canvas, Point topLeft, double width, double height,
                const ShieldStyle& style) {
  const std::vector<Point> outline = ShieldOutline(topLeft, width, height);
  const Point bottomRight = topLeft + Point{width, height};
  const double inner = style.edge + style.rim;

  canvas.Fill(Offset(outline, style.edge), kInk);
  canvas.Fill(Polygon(outline), LinearGradient(topLeft, bottomRight,
                                               {{0, kGoldLight}, {0.45, kGold}, {1, kGoldDark}}));
  canvas.Fill(Offset(outline, -(inner - style.edge)),
              LinearGradient(topLeft, bottomRight, {{0, kGoldDark}, {1, kGoldLight}}));
  canvas.Fill(Offset(outline, -inner), Mix(kInk, kFieldBottom, 0.4));
  const Shape field = Offset(outline, -(inner + style.edge * 0.6));
  canvas.Fill(field, LinearGradient(topLeft, {topLeft.x, bottomRight.y},
                                    {{0, kFieldTop}, {1, kFieldBottom}}));
  // A sheen over the upper left of the field.
  canvas.Fill(Intersection(field, Ellipse({topLeft.x + width * 0.25, topLeft.y + height * 0.1},
                                          width * 0.55, height * 0.45)),
              WithAlpha(kWhite, 0.10));

  const double tw = width * (style.bold ? 0.50 : 0.40);
  const double th = height * (style.bold ? 0.60 : 0.56);
  const double tx = topLeft.x + (width - tw) / 2;
  const double ty = topLeft.y + height * (style.bold ? 0.15 : 0.17);
  const std::vector<Point> tower = TowerOutline(tx, ty, tw, th, style.bold ? 0.16 : 0.12);
  canvas.Fill(Offset(tower, style.edge * 0.9), WithAlpha(kInk, 0.85));
  canvas.Fill(Polygon(tower),
              LinearGradient({tx, ty}, {tx + tw, ty},
                             {{0, kSilverLight}, {0.55, kSilverLight}, {1, kSilverDark}}));
  const double cx = tx + tw / 2;
  const double door = tw * (style.bold ? 0.2 : 0.17);
  std::vector<Point> arch = Arc({cx, ty + th * 0.74}, door, door, 180, 360, 12);
  arch.push_back({cx + door, ty + th * 0.88});
  arch.push_back({cx - door, ty + th * 0.88});
  canvas.Fill(Polygon(arch), kFieldBottom);
  if (!style.bold) {
    canvas.Fill(Capsule({cx, ty + th * 0.44}, {cx, ty + th * 0.54}, tw * 0.06), kFieldBottom);
  }
}

Shape Lens(const Magnifier& magnifier) { return Circle(magnifier.centre, magnifier.radius); }

void DrawMagnifier(Canvas& canvas, const Magnifier& m) {
  const double outer = m.radius + m.rim;
  const Point handleStart = Along(m.centre, m.handleAngle, outer - m.rim * 0.3);
  const Point collarEnd = Along(m.centre, m.handleAngle, outer + m.handleLength * 0.22);
  const Point handleEnd = Along(m.centre, m.handleAngle, outer + m.handleLength);

  // The handle first, so the rim lies over its end.
  canvas.Fill(Capsule(handleStart, handleEnd, m.handleWidth / 2 + 1), kInk);
  const Point across = Along({0, 0}, m.handleAngle + 90, m.handleWidth / 2);
  canvas.Fill(
      Capsule(collarEnd, handleEnd, m.handleWidth / 2),
      LinearGradient(
          collarEnd + across, collarEnd - across,
          {{0, Colour{150, 86, 44}}, {0.35, Colour{118, 62, 30}}, {1, Colour{58, 28, 14}}}));
  canvas.Fill(Capsule(handleStart, collarEnd, m.handleWidth / 2 * 0.85),
              LinearGradient(handleStart + across, handleStart - across,
                             {{0, kGoldLight}, {0.4, kGold}, {1, kGoldDark}}));

  canvas.Fill(Lens(m),
              RadialGradient(m.centre + Point{-m.radius * 0.4, -m.radius * 0.4}, m.radius * 1.6,
                             {{0, Colour{235, 248, 255, 0.30}}, {1, Colour{120, 170, 210, 0.22}}}));
  // A curved glint on the upper left of the glass.
  const Shape glint =
      Difference(Circle(m.centre, m.radius * 0.78),
                 Circle(m.centre + Point{m.radius * 0.12, m.radius * 0.12}, m.radius * 0.74));
  std::vector<Point> sector = Arc(m.centre, m.radius, m.radius, 185, 270, 12);
  sector.push_back(m.centre);
  canvas.Fill(Intersection(glint, Polygon(sector)), WithAlpha(kWhite, 0.85));
  canvas.Fill(Circle(m.centre + Point{-m.radius * 0.5, -m.radius * 0.12}, m.radius * 0.07),
              WithAlpha(kWhite, 0.8));

  canvas.Fill(Ring(m.centre, m.radius - 0.8, outer + 1), kInk);
  canvas.Fill(Ring(m.centre, m.radius, outer),
              LinearGradient(m.centre + Point{-outer, -outer}, m.centre + Point{outer, outer},
                             {{0, kGoldLight}, {0.5, kGold}, {1, kGoldDark}}));
  canvas.Fill(Ring(m.centre, m.radius + m.rim * 0.45, m.radius + m.rim * 0.6),
              WithAlpha(kGoldDark, 0.6));
}
