#include "autoscan_win32.h"

#include "pud_search.h"
#include "report_list_win32.h"
#include "start_dir.h"

namespace {

// Checks run every 10 seconds, and at every paint of the dialog; each adds 10 to the counter,
// and at 310 the watch gives up: about five minutes.
constexpr UINT kCheckMilliseconds = 10000;
constexpr int kCounterStep = 10;
constexpr int kCounterLimit = 310;
constexpr WORD kScanCommand = 220;

int BaselineCount;
int AutoscanCounter;
UINT_PTR AutoscanTimer;

void Check(HWND dialog) {
  const int count = CountPuds();
  AutoscanCounter += kCounterStep;
  HWND mainWindow = GetWindow(dialog, GW_OWNER);
  if (count != BaselineCount) {
    KillTimer(dialog, AutoscanTimer);
    PostMessageA(mainWindow, WM_COMMAND, kScanCommand, 0);
    EndDialog(dialog, 0);
  } else if (AutoscanCounter >= kCounterLimit) {
    KillTimer(dialog, AutoscanTimer);
    EndDialog(dialog, 0);
    MessageBoxA(mainWindow, "Failsafe - maximium timeout reached", "Statwarden", MB_ICONWARNING);
  }
}

}  // namespace

INT_PTR CALLBACK AutoscanDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (LOWORD(message)) {
    case WM_INITDIALOG:
      RestoreStartDir();
      BaselineCount = CountPuds();
      AutoscanTimer = SetTimer(dialog, 1, kCheckMilliseconds, nullptr);
      AutoscanCounter = 0;
      return TRUE;
    case WM_TIMER:
    case WM_PAINT:
      Check(dialog);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        KillTimer(dialog, AutoscanTimer);
        EndDialog(dialog, 0);
        EmptyReportList();
      }
      return FALSE;
    default:
      return FALSE;
  }
}
