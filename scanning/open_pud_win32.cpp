#include "open_pud_win32.h"

#include <commdlg.h>

#include <cstring>
#include <cwchar>

#include "pud_name_win32.h"
#include "report_list_win32.h"
#include "resource.h"
#include "scan_win32.h"

namespace {

// Room for any path the dialog can give. The dialog is the wide one, so that a name the ANSI
// code page cannot spell is chosen as it is.
wchar_t PudFileName[MAX_PATH];
wchar_t InitialDir[256];

// Where the file name starts in PudFileName, after the chosen file's folder.
WORD PudFileOffset;

// Runs the open-file dialog with the filter list of string `filterId`; true when a file was
// chosen.
bool OpenPudDialog(HWND owner, DWORD flags, UINT filterId, DWORD filterIndex) {
  PudFileName[0] = L'\0';
  wchar_t filter[256];
  const int length = LoadStringW(GetModuleHandleW(nullptr), filterId, filter, 256);
  if (length == 0) {
    MessageBoxA(owner, "Cannot find search strings", "ERROR :-----", MB_OK);
    return false;
  }
  // The string's last character separates its items; each becomes a terminator.
  const wchar_t separator = filter[length - 1];
  for (wchar_t* c = filter; *c != L'\0'; ++c) {
    if (*c == separator) *c = L'\0';
  }

  OPENFILENAMEW request;
  std::memset(&request, 0, sizeof request);
  // The record as it was before the Windows 2000 additions, as every Windows version takes it.
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  request.hwndOwner = owner;
  request.lpstrFilter = filter;
  request.nFilterIndex = filterIndex;
  request.lpstrFile = PudFileName;
  request.nMaxFile = MAX_PATH;
  request.lpstrInitialDir = InitialDir;
  request.Flags = flags | OFN_PATHMUSTEXIST;
  if (GetOpenFileNameW(&request)) {
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

// Checks the map at the full path `path`, whose bare name starts at `nameOffset`: the report
// emptied, the map named in the title, its folder made current (the map is opened by its bare
// name there, and the next Scan or Autoscan goes back to the start folder), then the analysis
// and its outcome.
void CheckPudAt(HWND window, const wchar_t* path, std::size_t nameOffset) {
  PudEntry named;
  if (!SetPudNameFromWide(named, path + nameOffset)) {
    ShowFileInputError(window);
    return;
  }
  EmptyReportList();
  SetCurrentPud(window, named.name, named.utf8);
  // Not every dialog makes the folder current: Wine's moves to the folder it shows, not to that
  // of a full path typed in.
  wchar_t folder[MAX_PATH];
  lstrcpynW(folder, path, static_cast<int>(nameOffset) + 1);
  SetCurrentDirectoryW(folder);
  AnalyseAndReport(window);
}

}  // namespace

void OpenAnyPud(HWND window) {
  if (!OpenPudDialog(window, OFN_HIDEREADONLY, IDS_PUD_FILTER, 1)) return;
  CheckPudAt(window, PudFileName, PudFileOffset);
}

void OpenDroppedPud(HWND window, HDROP drop) {
  // The first of the files dropped, by its full path.
  wchar_t path[MAX_PATH];
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  if (length < MAX_PATH) DragQueryFileW(drop, 0, path, MAX_PATH);
  DragFinish(drop);
  if (length == 0 || length >= MAX_PATH) {
    ShowFileInputError(window);
    return;
  }
  const wchar_t* separator = std::wcsrchr(path, L'\\');
  CheckPudAt(window, path,
             separator != nullptr ? static_cast<std::size_t>(separator - path) + 1 : 0);
}
