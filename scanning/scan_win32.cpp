#include "scan_win32.h"

#include "config_file.h"
#include "pud_search.h"
#include "report_list_win32.h"
#include "report_texts.h"
#include "support_files.h"

char CurrentPud[kPudNameLength + 1];
bool CurrentPudUtf8;
char AnalysedPud[MAX_PATH * 3];

namespace {

// Notes CurrentPud, resolved against the current directory, as the map last analysed.
void NoteAnalysedPud() {
  wchar_t name[MAX_PATH];
  wchar_t path[MAX_PATH];
  MultiByteToWideChar(CurrentPudUtf8 ? CP_UTF8 : CP_ACP, 0, CurrentPud, -1, name, MAX_PATH);
  const DWORD length = GetFullPathNameW(name, MAX_PATH, path, nullptr);
  if (length == 0 || length >= MAX_PATH) return;
  WideCharToMultiByte(CP_UTF8, 0, path, -1, AnalysedPud, sizeof AnalysedPud, nullptr, nullptr);
}

}  // namespace

void SetCurrentPud(HWND window, const char* name, bool utf8) {
  static constexpr char kTitleStart[] = "Statwarden: ";
  if (utf8) {
    wchar_t title[sizeof kTitleStart + MAX_PATH];
    const int start = MultiByteToWideChar(CP_ACP, 0, kTitleStart, -1, title, MAX_PATH) - 1;
    MultiByteToWideChar(CP_UTF8, 0, name, -1, title + start, MAX_PATH);
    // The window is an ANSI one: only its Unicode default procedure keeps the title as it is.
    DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
  } else {
    char title[sizeof kTitleStart + kPudNameLength];
    lstrcpyA(title, kTitleStart);
    lstrcatA(title, name);
    SetWindowTextA(window, title);
  }
  lstrcpyA(CurrentPud, name);
  CurrentPudUtf8 = utf8;
}

bool FindLatestPud(HWND window) {
  LatestPudVisitor search;
  ForEachPud("", search);
  if (!search.latest.Found()) return false;
  SetCurrentPud(window, search.latest.Best().name, search.latest.Best().utf8);
  return true;
}

void ScanLatestPud(HWND window) {
  EmptyReportList();
  if (!FindLatestPud(window)) {
    MessageBoxA(window, kNoPudsFound, "Scan", MB_ICONWARNING);
    return;
  }
  AnalyseAndReport(window);
}

void AnalyseAndReport(HWND window) {
  ReportListSink sink;
  const Analysis analysis = AnalysePud(CurrentPud, sink, CurrentPudUtf8, AllFieldsFlag != 0);
  AnalysedPud[0] = '\0';
  if (analysis.outcome == ReadOutcome::OpenFailed) {
    ShowFileInputError(window);
    return;
  }
  NoteAnalysedPud();
  ReportOutcome(window, analysis.discrepancies);
}

void ShowFileInputError(HWND window) {
  MessageBoxA(window, kFileInputError, "AnalysePud", MB_ICONERROR);
}

void ReportOutcome(HWND window, bool discrepancies) {
  if (discrepancies) {
    RunAlarmTune();
    MessageBoxA(window, VerdictText(true), "Statwarden", MB_ICONWARNING);
  } else {
    RunHappyTune();
    MessageBoxA(window, VerdictText(false), "Statwarden", MB_OK);
  }
}
