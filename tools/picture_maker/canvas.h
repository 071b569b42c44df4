// A supersampled RGBA drawing surface: each output pixel is the mean of samples x samples point
// samples, which smooths the edges of every shape.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "geometry.h"
#include "shapes.h"

// Channels 0..255, opacity 0..1.
struct Colour {
  double r = 0, g = 0, b = 0;
  double a = 1;
};

// `k` of the way from `from` to `to`, opacity included.
Colour Mix(Colour from, Colour to, double k);
Colour WithAlpha(Colour colour, double alpha);

// The colour laid at each point of a filled shape.
using Paint = std::function<Colour(Point)>;

struct Stop {
  double at;  // 0..1 along the gradient
  Colour colour;
};

Paint Solid(Colour colour);
Paint LinearGradient(Point from, Point to, std::initializer_list<Stop> stops);
Paint RadialGradient(Point centre, double radius, std::initializer_list<Stop> stops);
// `paint` with its pattern moved along by `map`, for drawing a figure in another place.
Paint Transformed(Paint paint, const Affine& map);
// `paint` made lighter or darker by up to `amount` channel steps with a smooth, repeatable
// grain of about `grain` pixels.
Paint Grainy(Paint paint, double grain, double amount);

struct Rgba8 {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba8> pixels;  // rows top to bottom
};

class Canvas {
 public:
  // Starts fully transparent.
  Canvas(int width, int height, int samples);

  // Lays `paint` over every sample inside `shape`.
  void Fill(const Shape& shape, const Paint& paint);
  void Fill(const Shape& shape, Colour colour) { Fill(shape, Solid(colour)); }

  RgbaImage Resolve() const;

 private:
  struct Sample {
    float r = 0, g = 0, b = 0, a = 0;  // colour premultiplied by opacity
  };

  int width_;
  int height_;
  int samples_;
  std::vector<Sample> buffer_;
};
