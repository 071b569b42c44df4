// The Scan command: the newest map of the start folder, analysed and announced.
#pragma once

#include <windows.h>

#include "latest_pud.h"

// The map the analysis opens: a bare file name, resolved against the current directory, in the
// ANSI code page or, when CurrentPudUtf8 is set, in UTF-8 (a name the code page cannot spell).
extern char CurrentPud[kPudNameLength + 1];
extern bool CurrentPudUtf8;

// The map last analysed, by its full path in UTF-8; empty before the first analysis and after a
// map that could not be opened.
extern char AnalysedPud[MAX_PATH * 3];

// Names `name` (a bare file name of at most kPudNameLength bytes, in UTF-8 when `utf8` is set) in
// CurrentPud and in the window's title.
void SetCurrentPud(HWND window, const char* name, bool utf8 = false);

// Chooses the newest map of the current directory, names it in CurrentPud and in the window's
// title; false when there is none, and then both stay as they were.
bool FindLatestPud(HWND window);

// Empties the report, then analyses and announces the newest map, or says there is none.
void ScanLatestPud(HWND window);

// Analyses CurrentPud into the report list (every field of it while AllFieldsFlag is on) and
// announces the outcome. A map that cannot be opened is reported in a box of its own, and the
// command ends there.
void AnalyseAndReport(HWND window);

// The box of a map that cannot be read.
void ShowFileInputError(HWND window);

// The tune for the verdict, then its message box.
void ReportOutcome(HWND window, bool discrepancies);
