// The Autoscan dialog: waits for the count of maps in the start folder to change, then scans.
#pragma once

#include <windows.h>

INT_PTR CALLBACK AutoscanDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
