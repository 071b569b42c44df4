#include "start_dir.h"

namespace {

// Only an ASCII letter and a colon make a drive, whatever the width of the characters.
template <typename Char>
int DriveOf(const Char* path) {
  const unsigned letter = static_cast<unsigned>(path[0]) | 0x20u;  // in lower case
  if (letter < 'a' || letter > 'z' || path[1] != ':') return 0;
  return static_cast<int>(letter - 'a') + 1;
}

}  // namespace

int DriveOfPath(const char* path) { return DriveOf(path); }

int DriveOfPath(const wchar_t* path) { return DriveOf(path); }
