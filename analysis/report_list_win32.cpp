#include "report_list_win32.h"

#include <algorithm>

HWND ReportList = nullptr;

void ReportListSink::AddLine(std::string_view line) {
  char text[kMaxReportLine + 1];
  *std::copy_n(line.data(), std::min(line.size(), kMaxReportLine), text) = '\0';
  SendMessageA(ReportList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void EmptyReportList() { SendMessageA(ReportList, LB_RESETCONTENT, 0, 0); }
