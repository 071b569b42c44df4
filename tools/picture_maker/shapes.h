// Plane figures as inside-tests with a bounding box; the canvas samples them.
#pragma once

#include <functional>
#include <vector>

#include "geometry.h"

struct Box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Shape {
  Box bounds;  // holds every point for which `contains` is true
  std::function<bool(Point)> contains;
};

Shape Rect(double x0, double y0, double x1, double y1);
Shape Circle(Point centre, double radius);
Shape Ellipse(Point centre, double rx, double ry);
// Even-odd rule, so a path may cross itself to cut holes.
Shape Polygon(std::vector<Point> corners);
// The polygon grown by `distance`, or shrunk when it is negative; corners grow round.
Shape Offset(std::vector<Point> corners, double distance);
// The points within width / 2 of the path of two or more points; `closed` adds the segment from
// the last point back to the first.
Shape Stroke(std::vector<Point> path, double width, bool closed);
Shape Capsule(Point a, Point b, double radius);
Shape Ring(Point centre, double inner, double outer);

Shape Union(Shape a, Shape b);
Shape Intersection(Shape a, Shape b);
Shape Difference(Shape a, Shape b);
Shape Transformed(Shape shape, const Affine& map);
