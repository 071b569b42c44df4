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
  if (HelpPagePath[0] == '\0' &&
      !ExtractResource("swhelppage", "HTM", "sw_", ".htm", HelpPagePath)) {
    return;
  }
  ShellExecuteA(window, "open", HelpPagePath, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void ShowHelp(HWND window) {
  if (IsWindows10OrLater()) {
    ShowHelpPage(window);
  } else if (HelpPath[0] != '\0') {
    WinHelpA(window, HelpPath, HELP_CONTENTS, 0);
  }
}

void CloseHelp(HWND window) { WinHelpA(window, HelpPath, HELP_QUIT, 0); }
