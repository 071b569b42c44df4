// File, Open: any map, chosen in the system's open-file dialog.
#pragma once

#include <windows.h>

// Lets the user choose a map, then analyses and announces it.
void OpenAnyPud(HWND window);
