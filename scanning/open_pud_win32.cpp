#include "open_pud_win32.h"

#include <commdlg.h>

#include <cstring>

#include "report_list_win32.h"
#include "resource.h"
#include "scan_win32.h"

namespace {

// Room for any path the dialog can give.
char PudFileName[MAX_PATH];
char PudFileTitle[kPudNameLength + 1];
char InitialDir[256];

// Where the file name starts in PudFileName, after the chosen file's folder.
WORD PudFileOffset;

// Runs the open-file dialog with the filter list of string `filterId`; true when a file was
// chosen.
bool OpenPudDialog(HWND owner, DWORD flags, UINT filterId, DWORD filterIndex) {
  PudFileName[0] = '\0';
  char filter[256];
  const int length = LoadStringA(GetModuleHandleA(nullptr), filterId, filter, sizeof filter);
  if (length == 0) {
    MessageBoxA(owner, "Cannot find search strings", "ERROR :-----", MB_OK);
    return false;
  }
  // The string's last character separates its items; each becomes a terminator.
  const char separator = filter[length - 1];
  for (char* c = filter; *c != '\0'; ++c) {
    if (*c == separator) *c = '\0';
  }

  OPENFILENAMEA request;
  std::memset(&request, 0, sizeof request);
  // The record as it was before the Windows 2000 additions, as every Windows version takes it.
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = owner;
  request.lpstrFilter = filter;
  request.nFilterIndex = filterIndex;
  request.lpstrFile = PudFileName;
  request.nMaxFile = sizeof PudFileName;
  request.lpstrFileTitle = PudFileTitle;
  request.nMaxFileTitle = sizeof PudFileTitle;
  request.lpstrInitialDir = InitialDir;
  request.Flags = flags | OFN_PATHMUSTEXIST;
  if (GetOpenFileNameA(&request)) {
    PudFileOffset = request.nFileOffset;
    return true;
  }
  const DWORD error = CommDlgExtendedError();
  if (error == CDERR_INITIALIZATION || error == CDERR_MEMALLOCFAILURE) {
    MessageBoxA(owner, "ERROR :- Failure to open dialog (probably short of memory)",
                "File Handling", MB_ICONERROR);
  }
  return false;
}

}  // namespace

void OpenAnyPud(HWND window) {
  if (!OpenPudDialog(window, OFN_HIDEREADONLY, IDS_PUD_FILTER, 1)) return;
  EmptyReportList();
  SetCurrentPud(window, PudFileTitle);
  // The map is opened by its bare name, so its folder must be current. Not every dialog makes
  // it so: Wine's moves to the folder it shows, not to that of a full path typed in.
  char folder[sizeof PudFileName];
  lstrcpynA(folder, PudFileName, PudFileOffset + 1);
  SetCurrentDirectoryA(folder);
  AnalyseAndReport(window);
}
