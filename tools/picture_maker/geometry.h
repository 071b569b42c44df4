// Points, affine maps and the curves the drawings are built from. Coordinates are in output
// pixels with y growing downwards; (0, 0) is the top-left corner of the top-left pixel.
#pragma once

#include <vector>

struct Point {
  double x = 0;
  double y = 0;
};

inline Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
inline Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
inline Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }

// p -> (xx * x + xy * y + dx, yx * x + yy * y + dy)
struct Affine {
  double xx = 1, xy = 0, dx = 0;
  double yx = 0, yy = 1, dy = 0;

  Point operator()(Point p) const { return {xx * p.x + xy * p.y + dx, yx * p.x + yy * p.y + dy}; }
  Affine Inverse() const;
  // This map followed by `next`.
  Affine Then(const Affine& next) const;
};

Affine Translation(double dx, double dy);
Affine Rotation(Point centre, double degrees);
Affine Scaling(Point centre, double factor);

double Distance(Point a, Point b);
// The square of the distance from p to the segment a-b, which is quicker to compare.
double SegmentDistanceSquared(Point p, Point a, Point b);

// Extend a path from its last point; the last point must exist, and is not repeated.
void CubicTo(std::vector<Point>& path, Point control1, Point control2, Point end, int steps = 24);
void QuadTo(std::vector<Point>& path, Point control, Point end, int steps = 16);

// Points along an elliptic arc; angles in degrees, 0 pointing right, growing clockwise on screen.
std::vector<Point> Arc(Point centre, double rx, double ry, double fromDegrees, double toDegrees,
                       int steps);

// Every point of `path` mirrored about the vertical line x = axis, in reverse order, so that a
// left half followed by its mirror makes one closed outline.
std::vector<Point> Mirrored(const std::vector<Point>& path, double axis);
