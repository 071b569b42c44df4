// The about box, the sound settings dialog and the Show map dialog.
#pragma once

#include <windows.h>

// The about box's picture, loaded at start-up.
extern HBITMAP AboutPicture;

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SoundDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Its lParam: the ShownMap to show.
INT_PTR CALLBACK MapDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
