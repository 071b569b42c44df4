#include <cctype>

#include "start_dir.h"

int DriveOfPath(const char* path) {
  const auto letter = static_cast<unsigned char>(path[0]);
  if (!std::isalpha(letter) || path[1] != ':') return 0;
  return std::toupper(letter) - 'A' + 1;
}
