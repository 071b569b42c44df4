#include "emblem.h"
#include "pictures.h"

namespace {

constexpr int kSamples = 6;

constexpr Colour kFeather{140, 98, 58};
constexpr Colour kFeatherDark{86, 56, 32};
constexpr Colour kDown{222, 196, 150};
constexpr Colour kFace{240, 224, 190};
constexpr Colour kFaceRim{168, 118, 70};
constexpr Colour kIrisLight{255, 214, 80};
constexpr Colour kIrisDark{220, 128, 18};
constexpr Colour kHorn{236, 186, 92};
constexpr Colour kSteelLight{236, 240, 246};
constexpr Colour kSteel{158, 168, 186};
constexpr Colour kSteelDark{84, 92, 110};
constexpr Colour kPlume{204, 40, 36};
constexpr Colour kPlumeDark{120, 18, 20};

constexpr double kAxis = 55;

void DrawWing(Canvas& canvas, double side) {
  const Point centre{kAxis + side * 29, 86};
  const Affine tilt = Rotation(centre, side * -18);
  canvas.Fill(Transformed(Ellipse(centre, 14, 29), tilt), kInk);
  canvas.Fill(Transformed(Ellipse(centre, 12.8, 27.8), tilt),
              LinearGradient(centre + Point{0, -28}, centre + Point{0, 28},
                             {{0, kFeather}, {1, kFeatherDark}}));
  // Flight feathers as darker bars towards the tip.
  for (int i = 0; i < 3; ++i) {
    const double y = centre.y + 6 + i * 7;
    canvas.Fill(Intersection(Transformed(Ellipse(centre, 12.8, 27.8), tilt),
                             Transformed(Rect(centre.x - 14, y, centre.x + 14, y + 2), tilt)),
                WithAlpha(kFeatherDark, 0.6));
  }
}

void DrawEye(Canvas& canvas, Point centre) {
  canvas.Fill(Circle(centre, 13.2), kInk);
  canvas.Fill(Circle(centre, 11.8),
              RadialGradient(centre, 11.8, {{0.2, kIrisLight}, {1, kIrisDark}}));
  canvas.Fill(Circle(centre + Point{0.4, 0.6}, 6.2), kInk);
  canvas.Fill(Circle(centre + Point{-3.6, -3.8}, 2.6), kWhite);
  canvas.Fill(Circle(centre + Point{3.2, 4.0}, 1.1), WithAlpha(kWhite, 0.8));
}

void DrawHelmet(Canvas& canvas) {
  const Point top{kAxis, 16};
  // The dome ends in a band over the brows, and a nasal guard runs down between the eyes.
  const Shape dome = Intersection(Ellipse({kAxis, 44}, 41, 30), Rect(0, 0, 110, 39));
  const Shape band = Intersection(Ellipse({kAxis, 44}, 42.5, 31.5), Rect(0, 33, 110, 41));
  const Shape nasal = Polygon(
      {{kAxis - 3.2, 36}, {kAxis + 3.2, 36}, {kAxis + 2.4, 60}, {kAxis, 63}, {kAxis - 2.4, 60}});
  const Paint steel = LinearGradient({kAxis - 38, 14}, {kAxis + 38, 44},
                                     {{0, kSteelLight}, {0.45, kSteel}, {1, kSteelDark}});

  // The plume behind the dome's crown.
  std::vector<Point> plume{top + Point{-4, 4}};
  CubicTo(plume, top + Point{-8, -8}, top + Point{6, -16}, top + Point{18, -12});
  CubicTo(plume, top + Point{10, -8}, top + Point{8, -2}, top + Point{5, 4});
  canvas.Fill(Offset(plume, 1.1), kInk);
  canvas.Fill(Polygon(plume), LinearGradient(top + Point{-6, -12}, top + Point{10, 2},
                                             {{0, kPlume}, {1, kPlumeDark}}));

  for (const Shape* part : {&dome, &nasal, &band}) canvas.Fill(*part, steel);
  canvas.Fill(Difference(Intersection(Ellipse({kAxis, 44}, 42.5, 31.5), Rect(0, 0, 110, 41)),
                         Intersection(Ellipse({kAxis, 44}, 41.3, 30.3), Rect(0, 0, 110, 39.8))),
              kInk);
  canvas.Fill(
      Stroke(
          {{kAxis - 3.2, 41}, {kAxis - 2.4, 60}, {kAxis, 63}, {kAxis + 2.4, 60}, {kAxis + 3.2, 41}},
          1.1, false),
      kInk);
  canvas.Fill(Intersection(band, Rect(0, 33, 110, 34.2)), WithAlpha(kInk, 0.9));
  // A ridge down the middle of the dome, and rivets along the band.
  canvas.Fill(
      Intersection(dome, Rect(kAxis - 1.6, 0, kAxis + 1.6, 33)),
      LinearGradient({kAxis - 1.6, 0}, {kAxis + 1.6, 0}, {{0, kSteelLight}, {1, kSteelDark}}));
  for (double x : {-30.0, -18.0, 18.0, 30.0}) {
    canvas.Fill(Circle({kAxis + x, 37.3}, 1.5), kSteelDark);
    canvas.Fill(Circle({kAxis + x - 0.4, 36.9}, 0.7), kSteelLight);
  }
  // A highlight across the dome's upper left.
  canvas.Fill(Intersection(dome, Difference(Ellipse({kAxis - 6, 36}, 30, 20),
                                            Ellipse({kAxis - 3, 40}, 30, 20))),
              WithAlpha(kWhite, 0.5));
}

}  // namespace

RgbaImage DrawMascot() {
  Canvas canvas(110, 116, kSamples);
  canvas.Fill(Rect(0, 0, 110, 116), kWindowGrey);

  // Ear tufts reaching out from under the helmet.
  for (double side : {-1.0, 1.0}) {
    const std::vector<Point> tuft{
        {kAxis + side * 26, 34}, {kAxis + side * 46, 14}, {kAxis + side * 38, 38}};
    canvas.Fill(Offset(tuft, 1.1), kInk);
    canvas.Fill(Polygon(tuft), kFeatherDark);
  }

  // Body and head.
  const Shape body = Ellipse({kAxis, 84}, 34, 29);
  canvas.Fill(Ellipse({kAxis, 84}, 35.2, 30.2), kInk);
  canvas.Fill(body, LinearGradient({kAxis, 56}, {kAxis, 112}, {{0, kFeather}, {1, kFeatherDark}}));
  canvas.Fill(Intersection(body, Ellipse({kAxis, 84}, 22, 30)),
              LinearGradient({kAxis, 70}, {kAxis, 100}, {{0, kDown}, {1, kFeather}}));
  DrawWing(canvas, -1);
  DrawWing(canvas, 1);

  canvas.Fill(Ellipse({kAxis, 50}, 39.2, 30.2), kInk);
  canvas.Fill(Ellipse({kAxis, 50}, 38, 29),
              LinearGradient({kAxis, 22}, {kAxis, 80}, {{0, kFeather}, {1, kFeatherDark}}));
  // The pale facial disc around both eyes.
  const Point leftEye{kAxis - 16.5, 52};
  const Point rightEye{kAxis + 16.5, 52};
  canvas.Fill(Union(Circle(leftEye, 18.5), Circle(rightEye, 18.5)), kFaceRim);
  canvas.Fill(Union(Circle(leftEye, 17), Circle(rightEye, 17)),
              LinearGradient({kAxis, 34}, {kAxis, 70}, {{0, kFace}, {1, kDown}}));
  DrawEye(canvas, leftEye);
  DrawEye(canvas, rightEye);
  DrawHelmet(canvas);

  // The beak below the nasal guard.
  const std::vector<Point> beak{{kAxis - 4.5, 62}, {kAxis + 4.5, 62}, {kAxis, 74}};
  canvas.Fill(Offset(beak, 1.1), kInk);
  canvas.Fill(Polygon(beak), LinearGradient({kAxis - 4, 62}, {kAxis + 4, 70},
                                            {{0, kHorn}, {1, Colour{176, 118, 40}}}));

  // The shield held before the body, talons over its top.
  const Point shieldAt{kAxis - 17, 73};
  DrawShield(canvas, shieldAt, 34, 40, {1.0, 3.5, false});
  for (double side : {-1.0, 1.0}) {
    for (int toe = 0; toe < 3; ++toe) {
      const Point knuckle{kAxis + side * (9 + toe * 3.2), 72.5};
      canvas.Fill(Capsule(knuckle, knuckle + Point{side * 0.6, 4.2}, 2.0), kInk);
      canvas.Fill(Capsule(knuckle, knuckle + Point{side * 0.6, 4.2}, 1.2), kHorn);
    }
  }
  return canvas.Resolve();
}
