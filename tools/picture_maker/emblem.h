// The warden's emblem, shared by the pictures: a heater shield charged with a watchtower, and
// the magnifying glass that goes with it.
#pragma once

#include <vector>

#include "canvas.h"
#include "geometry.h"
#include "shapes.h"

// The outlines' near-black, and the white of glints and highlights.
inline constexpr Colour kInk{30, 24, 28};
inline constexpr Colour kWhite{255, 255, 255};

// The shield's outline in the box with the given top-left corner and size.
std::vector<Point> ShieldOutline(Point topLeft, double width, double height);

struct ShieldStyle {
  double edge;  // the dark outer line
  double rim;   // the gold rim inside it
  bool bold;    // a larger, plainer tower that still reads at icon sizes
};

void DrawShield(Canvas& canvas, Point topLeft, double width, double height,
                const ShieldStyle& style);

struct Magnifier {
  Point centre;         // of the lens
  double radius;        // of the glass, inside the rim
  double rim;           // the rim's width
  double handleAngle;   // degrees clockwise from pointing right
  double handleLength;  // from the rim outwards
  double handleWidth;
};

// The glass inside the rim, for drawing an enlarged view under the lens first.
Shape Lens(const Magnifier& magnifier);

// A soft shadow, the tinted glass with its glint, the rim and the handle.
void DrawMagnifier(Canvas& canvas, const Magnifier& magnifier);
