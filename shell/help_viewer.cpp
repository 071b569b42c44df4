#include "help_viewer.h"

#include <shellapi.h>

#include "support_files.h"

namespace {

// The version the system reports to a program that knows Windows 10: RtlGetVersion tells the
// truth where GetVersionEx, without a manifest, says Windows 8.
bool IsWindows10OrLater() {
  using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const FARPROC found = ntdll != nullptr ? GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
  if (found == nullptr) return false;
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  return reinterpret_cast<GetVersion>(reinterpret_cast<void*>(found))(&version) == 0 &&
         version.dwMajorVersion >= 10;
}

void ShowHelpPage(HWND window) {
  if (HelpPagePath[0] == L'\0' &&
      !ExtractResource("swhelppage", "HTM", L"sw_", L".htm", HelpPagePath)) {
    return;
  }
  ShellExecuteW(window, L"open", HelpPagePath, nullptr, nullptr, SW_SHOWNORMAL);
}

// Sends `command` to the WinHelp viewer for the help file, named by its short path: the viewer
// takes a name in the ANSI code page only, and a short name is ASCII where the file system keeps
// short names. Nothing is sent while the file has not been written.
void WinHelpOnFile(HWND window, UINT command) {
  wchar_t name[MAX_PATH];
  const DWORD length = GetShortPathNameW(HelpPath, name, MAX_PATH);
  if (length != 0 && length < MAX_PATH) WinHelpW(window, name, command, 0);
}

}  // namespace

void ShowHelp(HWND window) {
  if (IsWindows10OrLater()) {
    ShowHelpPage(window);
  } else {
    WinHelpOnFile(window, HELP_CONTENTS);
  }
}

void CloseHelp(HWND window) { WinHelpOnFile(window, HELP_QUIT); }
