#include "emblem.h"
#include "pictures.h"

RgbaImage DrawIcon() {
  Canvas canvas(64, 64, 8);
  DrawShield(canvas, {3, 2}, 46, 56, {1.6, 4.5, true});
  // Nothing lies behind the glass's lower right, so it is drawn as clouded glass.
  const Magnifier glass{{43, 42}, 10.5, 3.5, 45, 8.5, 6.5};
  canvas.Fill(Lens(glass),
              LinearGradient(glass.centre + Point{-8, -8}, glass.centre + Point{8, 8},
                             {{0, Colour{214, 234, 250}}, {1, Colour{132, 172, 214}}}));
  DrawMagnifier(canvas, glass);
  return canvas.Resolve();
}
