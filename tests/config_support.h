// Reading a configuration file made of chosen bytes.
#pragma once

#include <cstdio>
#include <string>

#include "config.h"

// The sound flag after reading a file of `bytes`, starting from `flag`.
inline int SoundAfterReading(const std::string& bytes, int flag) {
  std::FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  ReadConfigEntries(file, flag);
  std::fclose(file);
  return flag;
}
