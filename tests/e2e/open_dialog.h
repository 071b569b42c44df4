// The open-file dialog of File, Open, driven from another process.
#pragma once

#include <windows.h>

#include <string>

#include "app_driver.h"

inline constexpr char kOpenCaption[] = "Open";

// Sends File, Open and waits until the dialog has shown and settled; null when none came.
HWND OpenDialog(const AppDriver& app);

// The file-name field, an Edit inside a ComboBox inside a ComboBoxEx32.
HWND FileNameField(HWND dialog);

// Types `text` as the file name and presses Open.
void Enter(HWND dialog, const std::string& text);

// Types `text` as the file name and presses Open; true once the dialog has gone.
bool Choose(HWND dialog, const std::string& text);
