// A tune program: plays its tune and ends. TUNE names the tune it is built for. It needs nothing
// of the C run-time's start-up, and begins here instead.
#include <windows.h>

#include "tune_player.h"

extern "C" void WINAPI TuneMain() {
  // Being idle at once lets the program that started us go on without waiting for the tune.
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  PlayTune(TUNE.data(), TUNE.size());
  ExitProcess(0);
}
