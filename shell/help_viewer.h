// The help: the WinHelp file where the system has a WinHelp viewer, the help page in the user's
// browser on Windows 10 and later, which have none.
#pragma once

#include <windows.h>

void ShowHelp(HWND window);

// Closes the WinHelp viewer, if it shows the help file.
void CloseHelp(HWND window);
