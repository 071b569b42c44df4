// The report's Win32 view: the main window's list box.
#pragma once

#include <windows.h>

#include "report_lines.h"

// The list box the report goes to; set when the main window is made.
extern HWND ReportList;

// Tab stops of the list, in quarters of the average character width of its font.
inline constexpr int ReportTabStops[5] = {10, 10, 10, 10, 10};

// Appends each report line to the list.
class ReportListSink final : public ReportSink {
 public:
  void AddLine(std::string_view line) override;
};

void EmptyReportList();
