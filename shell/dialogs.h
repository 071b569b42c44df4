// The about box and the sound settings dialog.
#pragma once

#include <windows.h>

// The about box's picture, loaded at start-up.
extern HBITMAP AboutPicture;

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SoundDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
