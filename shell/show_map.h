// Show map: the last analysed map's picture, each person slot's start marked on it, and what each
// start reaches.
#pragma once

#include <windows.h>

#include "findings.h"
#include "map_picture.h"

// What the dialog shows, read again from the map when it opens.
struct ShownMap {
  const char* name;  // the file name, in UTF-8
  MapLand land;
  Picture picture;
  MapReach reach;
  HBITMAP bitmap = nullptr;  // the picture as the dialog shows it, made as it opens
};

// Reads the map last analysed again and shows it in the Show map dialog; a box instead when the
// map can no longer be read or has no picture. Nothing before the first analysis.
void ShowMap(HWND owner);

// Names the map in the dialog's title, fills the table of starts, makes the marked picture at the
// largest whole scale that keeps the dialog within the work area, and lays the dialog out around
// it.
void FillMapDialog(HWND dialog, ShownMap& shown);
