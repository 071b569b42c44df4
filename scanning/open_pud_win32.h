// File, Open and a map dropped on the window: any map, in any folder, by any name.
#pragma once

#include <windows.h>

#include <shellapi.h>

// Lets the user choose a map, then analyses and announces it.
void OpenAnyPud(HWND window);

// Analyses and announces the first map of those dropped on the window, as File, Open does a map
// chosen; finishes the drop.
void OpenDroppedPud(HWND window, HDROP drop);
