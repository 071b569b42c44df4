#include "report_list_win32.h"

#include <string>

HWND ReportList = nullptr;

void ReportListSink::AddLine(std::string_view line) {
  const std::string text(line);
  SendMessageA(ReportList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void EmptyReportList() { SendMessageA(ReportList, LB_RESETCONTENT, 0, 0); }
