#include "dialogs.h"

#include "blit_picture.h"
#include "config_file.h"
#include "show_map.h"

HBITMAP AboutPicture;

namespace {

// The sound settings dialog's radio buttons.
constexpr int kSoundOn = 102;
constexpr int kSoundOff = 103;

void PaintAboutPicture(HWND dialog) {
  PAINTSTRUCT paint;
  BeginPaint(dialog, &paint);
  HDC dc = GetDC(dialog);
  BlitPicture(dc, AboutPicture, 15, 15, 110, 116);
  ReleaseDC(dialog, dc);
  EndPaint(dialog, &paint);
}

}  // namespace

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_PAINT:
      PaintAboutPicture(dialog);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK SoundDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageA(dialog, SoundFlag != 0 ? kSoundOn : kSoundOff, BM_SETCHECK, BST_CHECKED,
                          0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        SoundFlag = static_cast<int>(SendDlgItemMessageA(dialog, kSoundOn, BM_GETCHECK, 0, 0));
        EndDialog(dialog, 0);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK MapDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FillMapDialog(dialog, *reinterpret_cast<ShownMap*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return FALSE;
    default:
      return FALSE;
  }
}
