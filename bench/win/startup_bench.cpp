// Start-up to the visible window: statwarden.exe against a program that only shows a window.
//
//   startup_bench STATWARDEN MINIMAL
#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

struct WindowSearch {
  DWORD processId;
  HWND window;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
  search->window = window;
  return FALSE;
}

// Milliseconds from starting `program` to its first visible window; -1 when none showed.
double TimeToWindow(const char* program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  char commandLine[MAX_PATH + 2];
  wsprintfA(commandLine, "\"%s\"", program);
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return -1;
  }
  WindowSearch search{process.dwProcessId, nullptr};
  for (int tries = 0; tries < 20000 && search.window == nullptr; ++tries) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (search.window == nullptr) Sleep(1);
  }
  QueryPerformanceCounter(&now);
  if (search.window != nullptr) PostMessageA(search.window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  if (search.window == nullptr) return -1;
  return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

double BestOf(int runs, const char* program) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) best = std::min(best, TimeToWindow(program));
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: startup_bench STATWARDEN MINIMAL\n", stderr);
    return 2;
  }
  TimeToWindow(argv[1]);  // the first start of a program under Wine also loads its libraries
  const double statwarden = BestOf(5, argv[1]);
  const double minimal = BestOf(5, argv[2]);
  if (statwarden < 0 || minimal < 0) {
    std::fputs("startup_bench: a window did not show\n", stderr);
    return 1;
  }
  std::printf(
      "start-up to the visible window: statwarden.exe %.0f ms, a bare window %.0f ms, "
      "ratio %.2f (target: at most 1.5)\n",
      statwarden, minimal, statwarden / minimal);
  return 0;
}
