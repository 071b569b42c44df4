#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

Colour AlongStops(const std::vector<Stop>& stops, double t) {
  if (t <= stops.front().at) return stops.front().colour;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].at) {
      const double span = stops[i].at - stops[i - 1].at;
      return Mix(stops[i - 1].colour, stops[i].colour, span > 0 ? (t - stops[i - 1].at) / span : 1);
    }
  }
  return stops.back().colour;
}

// A repeatable pseudo-random value in [0, 1) for each lattice point.
double LatticeValue(int x, int y) {
  std::uint32_t h =
      static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777216.0;
}

// Value noise in [0, 1): lattice values blended smoothly between lattice points.
double Noise(double x, double y) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const double u = (x - fx) * (x - fx) * (3 - 2 * (x - fx));
  const double v = (y - fy) * (y - fy) * (3 - 2 * (y - fy));
  const double top = LatticeValue(ix, iy) * (1 - u) + LatticeValue(ix + 1, iy) * u;
  const double bottom = LatticeValue(ix, iy + 1) * (1 - u) + LatticeValue(ix + 1, iy + 1) * u;
  return top * (1 - v) + bottom * v;
}

std::uint8_t Channel(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

}  // namespace

Colour Mix(Colour from, Colour to, double k) {
  return {from.r + (to.r - from.r) * k, from.g + (to.g - from.g) * k, from.b + (to.b - from.b) * k,
          from.a + (to.a - from.a) * k};
}

Colour WithAlpha(Colour colour, double alpha) {
  colour.a = alpha;
  return colour;
}

Paint Solid(Colour colour) {
  return [colour](Point) { return colour; };
}

Paint LinearGradient(Point from, Point to, std::initializer_list<Stop> stops) {
  const Point axis = to - from;
  const double length2 = axis.x * axis.x + axis.y * axis.y;
  return [from, axis, length2, list = std::vector<Stop>(stops)](Point p) {
    return AlongStops(list, ((p.x - from.x) * axis.x + (p.y - from.y) * axis.y) / length2);
  };
}

Paint RadialGradient(Point centre, double radius, std::initializer_list<Stop> stops) {
  return [centre, radius, list = std::vector<Stop>(stops)](Point p) {
    return AlongStops(list, Distance(p, centre) / radius);
  };
}

Paint Transformed(Paint paint, const Affine& map) {
  return [paint = std::move(paint), back = map.Inverse()](Point p) { return paint(back(p)); };
}

Paint Grainy(Paint paint, double grain, double amount) {
  return [paint = std::move(paint), grain, amount](Point p) {
    Colour colour = paint(p);
    const double shift = (Noise(p.x / grain, p.y / grain) * 0.7 +
                          Noise(p.x / grain * 3 + 17, p.y / grain * 3 + 5) * 0.3 - 0.5) *
                         2 * amount;
    colour.r += shift;
    colour.g += shift;
    colour.b += shift * 0.8;
    return colour;
  };
}

Canvas::Canvas(int width, int height, int samples)
    : width_(width),
      height_(height),
      samples_(samples),
      buffer_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
              static_cast<std::size_t>(samples) * static_cast<std::size_t>(samples)) {}

void Canvas::Fill(const Shape& shape, const Paint& paint) {
  const int columns = width_ * samples_;
  const int rows = height_ * samples_;
  const auto first = [this](double edge) {
    return std::max(0, static_cast<int>(std::floor(edge * samples_)));
  };
  const auto last = [this](double edge, int limit) {
    return std::min(limit, static_cast<int>(std::ceil(edge * samples_)) + 1);
  };
  const int x0 = first(shape.bounds.x0);
  const int x1 = last(shape.bounds.x1, columns);
  const int y0 = first(shape.bounds.y0);
  const int y1 = last(shape.bounds.y1, rows);
  for (int sy = y0; sy < y1; ++sy) {
    for (int sx = x0; sx < x1; ++sx) {
      const Point p{(sx + 0.5) / samples_, (sy + 0.5) / samples_};
      if (!shape.contains(p)) continue;
      const Colour colour = paint(p);
      const float alpha = static_cast<float>(std::clamp(colour.a, 0.0, 1.0));
      Sample& sample = buffer_[static_cast<std::size_t>(sy) * static_cast<std::size_t>(columns) +
                               static_cast<std::size_t>(sx)];
      const float keep = 1 - alpha;
      sample.r = static_cast<float>(colour.r) * alpha + sample.r * keep;
      sample.g = static_cast<float>(colour.g) * alpha + sample.g * keep;
      sample.b = static_cast<float>(colour.b) * alpha + sample.b * keep;
      sample.a = alpha + sample.a * keep;
    }
  }
}

RgbaImage Canvas::Resolve() const {
  RgbaImage image{width_, height_, {}};
  image.pixels.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  const int columns = width_ * samples_;
  const double count = samples_ * samples_;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = y * samples_; sy < (y + 1) * samples_; ++sy) {
        for (int sx = x * samples_; sx < (x + 1) * samples_; ++sx) {
          const Sample& sample =
              buffer_[static_cast<std::size_t>(sy) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(sx)];
          r += sample.r;
          g += sample.g;
          b += sample.b;
          a += sample.a;
        }
      }
      const double unmultiply = a > 0 ? 1 / a : 0;
      image.pixels.push_back({Channel(r * unmultiply), Channel(g * unmultiply),
                              Channel(b * unmultiply), Channel(a / count * 255)});
    }
  }
  return image;
}
