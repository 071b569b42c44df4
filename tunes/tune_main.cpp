// A tune program: plays its tune and ends. TUNE names the tune it is built for.
#include <windows.h>

#include "tune_player.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Being idle at once lets the program that started us go on without waiting for the tune.
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  PlayTune(TUNE.data(), TUNE.size());
  return 0;
}
