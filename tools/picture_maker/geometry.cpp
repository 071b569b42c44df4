#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Affine Affine::Inverse() const {
  const double det = xx * yy - xy * yx;
  Affine inverse;
  inverse.xx = yy / det;
  inverse.xy = -xy / det;
  inverse.yx = -yx / det;
  inverse.yy = xx / det;
  inverse.dx = -(inverse.xx * dx + inverse.xy * dy);
  inverse.dy = -(inverse.yx * dx + inverse.yy * dy);
  return inverse;
}

Affine Affine::Then(const Affine& next) const {
  Affine both;
  both.xx = next.xx * xx + next.xy * yx;
  both.xy = next.xx * xy + next.xy * yy;
  both.dx = next.xx * dx + next.xy * dy + next.dx;
  both.yx = next.yx * xx + next.yy * yx;
  both.yy = next.yx * xy + next.yy * yy;
  both.dy = next.yx * dx + next.yy * dy + next.dy;
  return both;
}

Affine Translation(double dx, double dy) {
  Affine map;
  map.dx = dx;
  map.dy = dy;
  return map;
}

Affine Rotation(Point centre, double degrees) {
  const double angle = degrees * std::numbers::pi / 180;
  Affine turn;
  turn.xx = std::cos(angle);
  turn.xy = -std::sin(angle);
  turn.yx = std::sin(angle);
  turn.yy = std::cos(angle);
  return Translation(-centre.x, -centre.y).Then(turn).Then(Translation(centre.x, centre.y));
}

Affine Scaling(Point centre, double factor) {
  Affine scale;
  scale.xx = factor;
  scale.yy = factor;
  return Translation(-centre.x, -centre.y).Then(scale).Then(Translation(centre.x, centre.y));
}

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

double SegmentDistanceSquared(Point p, Point a, Point b) {
  const Point ab = b - a;
  const double length2 = ab.x * ab.x + ab.y * ab.y;
  double t = 0;
  if (length2 > 0) {
    t = std::clamp(((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / length2, 0.0, 1.0);
  }
  const Point away = p - (a + ab * t);
  return away.x * away.x + away.y * away.y;
}

void CubicTo(std::vector<Point>& path, Point control1, Point control2, Point end, int steps) {
  const Point start = path.back();
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const double u = 1 - t;
    path.push_back(start * (u * u * u) + control1 * (3 * u * u * t) + control2 * (3 * u * t * t) +
                   end * (t * t * t));
  }
}

void QuadTo(std::vector<Point>& path, Point control, Point end, int steps) {
  const Point start = path.back();
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const double u = 1 - t;
    path.push_back(start * (u * u) + control * (2 * u * t) + end * (t * t));
  }
}

std::vector<Point> Arc(Point centre, double rx, double ry, double fromDegrees, double toDegrees,
                       int steps) {
  std::vector<Point> points;
  for (int i = 0; i <= steps; ++i) {
    const double degrees = fromDegrees + (toDegrees - fromDegrees) * i / steps;
    const double angle = degrees * std::numbers::pi / 180;
    points.push_back({centre.x + rx * std::cos(angle), centre.y + ry * std::sin(angle)});
  }
  return points;
}

std::vector<Point> Mirrored(const std::vector<Point>& path, double axis) {
  std::vector<Point> mirror;
  for (auto it = path.rbegin(); it != path.rend(); ++it)
    mirror.push_back({2 * axis - it->x, it->y});
  return mirror;
}
