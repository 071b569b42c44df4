#include "scan_win32.h"

#include "pud_search.h"
#include "report_list_win32.h"
#include "support_files.h"

std::string CurrentPud;

bool FindLatestPud(HWND window) {
  LatestPud latest;
  ForEachPud("", [&](const PudEntry& entry) { latest.Offer(entry); });
  if (!latest.Found()) return false;
  CurrentPud = latest.Best().name;
  SetWindowTextA(window, ("Statwarden: " + CurrentPud).c_str());
  return true;
}

void ScanLatestPud(HWND window) {
  EmptyReportList();
  if (!FindLatestPud(window)) {
    MessageBoxA(window, "Error - no puds found", "Scan", MB_ICONWARNING);
    return;
  }
  AnalyseAndReport(window);
}

void AnalyseAndReport(HWND window) {
  ReportListSink sink;
  const Analysis analysis = AnalysePud(CurrentPud.c_str(), sink);
  if (analysis.outcome == ReadOutcome::OpenFailed) {
    MessageBoxA(window, "File input error", "AnalysePud", MB_ICONERROR);
    return;
  }
  ReportOutcome(window, analysis.discrepancies);
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
