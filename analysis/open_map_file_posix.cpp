#include "open_map_file.h"

// File names are bytes here, whatever their encoding.
std::FILE* OpenNamedFile(const char* name, bool, const char* mode) {
  return std::fopen(name, mode);
}
