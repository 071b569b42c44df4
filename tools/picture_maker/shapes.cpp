#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

Box BoundsOf(const std::vector<Point>& points, double margin) {
  Box box{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
          std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
  for (const Point& p : points) {
    box.x0 = std::min(box.x0, p.x - margin);
    box.y0 = std::min(box.y0, p.y - margin);
    box.x1 = std::max(box.x1, p.x + margin);
    box.y1 = std::max(box.y1, p.y + margin);
  }
  return box;
}

bool InsidePolygon(const std::vector<Point>& corners, Point p) {
  bool inside = false;
  for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
    const Point a = corners[i];
    const Point b = corners[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

// Whether p lies within `reach` of the segment a-b; most segments are ruled out by their box.
bool NearSegment(Point p, Point a, Point b, double reach) {
  if (p.x < std::min(a.x, b.x) - reach || p.x > std::max(a.x, b.x) + reach ||
      p.y < std::min(a.y, b.y) - reach || p.y > std::max(a.y, b.y) + reach) {
    return false;
  }
  return SegmentDistanceSquared(p, a, b) <= reach * reach;
}

// Whether p lies within `reach` of the path.
bool NearPath(const std::vector<Point>& path, bool closed, Point p, double reach) {
  for (std::size_t i = 1; i < path.size(); ++i) {
    if (NearSegment(p, path[i - 1], path[i], reach)) return true;
  }
  return closed && NearSegment(p, path.back(), path.front(), reach);
}

}  // namespace

Shape Rect(double x0, double y0, double x1, double y1) {
  return {{x0, y0, x1, y1},
          [=](Point p) { return p.x >= x0 && p.x < x1 && p.y >= y0 && p.y < y1; }};
}

Shape Circle(Point centre, double radius) { return Ellipse(centre, radius, radius); }

Shape Ellipse(Point centre, double rx, double ry) {
  return {{centre.x - rx, centre.y - ry, centre.x + rx, centre.y + ry}, [=](Point p) {
            const double u = (p.x - centre.x) / rx;
            const double v = (p.y - centre.y) / ry;
            return u * u + v * v <= 1;
          }};
}

Shape Polygon(std::vector<Point> corners) {
  const Box bounds = BoundsOf(corners, 0);
  return {bounds, [corners = std::move(corners)](Point p) { return InsidePolygon(corners, p); }};
}

Shape Offset(std::vector<Point> corners, double distance) {
  const Box bounds = BoundsOf(corners, std::max(distance, 0.0));
  return {bounds, [corners = std::move(corners), distance](Point p) {
            const bool inside = InsidePolygon(corners, p);
            if (inside != (distance < 0)) return inside;
            return NearPath(corners, true, p, std::abs(distance)) ? !inside : inside;
          }};
}

Shape Stroke(std::vector<Point> path, double width, bool closed) {
  const Box bounds = BoundsOf(path, width / 2);
  return {bounds, [path = std::move(path), width, closed](Point p) {
            return NearPath(path, closed, p, width / 2);
          }};
}

Shape Capsule(Point a, Point b, double radius) { return Stroke({a, b}, 2 * radius, false); }

Shape Ring(Point centre, double inner, double outer) {
  return Difference(Circle(centre, outer), Circle(centre, inner));
}

Shape Union(Shape a, Shape b) {
  const Box box{std::min(a.bounds.x0, b.bounds.x0), std::min(a.bounds.y0, b.bounds.y0),
                std::max(a.bounds.x1, b.bounds.x1), std::max(a.bounds.y1, b.bounds.y1)};
  return {box,
          [a = std::move(a.contains), b = std::move(b.contains)](Point p) { return a(p) || b(p); }};
}

Shape Intersection(Shape a, Shape b) {
  const Box box{std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
                std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
  return {box,
          [a = std::move(a.contains), b = std::move(b.contains)](Point p) { return a(p) && b(p); }};
}

Shape Difference(Shape a, Shape b) {
  return {a.bounds, [a = std::move(a.contains), b = std::move(b.contains)](Point p) {
            return a(p) && !b(p);
          }};
}

Shape Transformed(Shape shape, const Affine& map) {
  const Box& b = shape.bounds;
  const Box bounds =
      BoundsOf({map({b.x0, b.y0}), map({b.x1, b.y0}), map({b.x0, b.y1}), map({b.x1, b.y1})}, 0);
  return {bounds, [contains = std::move(shape.contains), back = map.Inverse()](Point p) {
            return contains(back(p));
          }};
}
