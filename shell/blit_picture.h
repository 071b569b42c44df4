// Painting a picture resource into a window.
#pragma once

#include <windows.h>

// Copies `width` by `height` pixels of `picture`, from its top left corner, to (x, y) of `dc`.
inline void BlitPicture(HDC dc, HBITMAP picture, int x, int y, int width, int height) {
  HDC pictureDc = CreateCompatibleDC(dc);
  SelectObject(pictureDc, picture);
  BitBlt(dc, x, y, width, height, pictureDc, 0, 0, SRCCOPY);
  DeleteDC(pictureDc);
}
