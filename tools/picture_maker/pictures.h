// The program's pictures, drawn in full colour.
#pragma once

#include "canvas.h"

// The window's background, which the bitmaps' own background matches.
inline constexpr Colour kWindowGrey{128, 128, 128};

// The main window's picture, 140 x 135: the shield over a map, with a magnifying glass on it.
RgbaImage DrawWindowPicture();

// The about box's picture, 110 x 116: a helmeted owl sentinel holding the shield.
RgbaImage DrawMascot();

// The program's icon, 64 x 64: the shield and the glass, clear around them.
RgbaImage DrawIcon();
