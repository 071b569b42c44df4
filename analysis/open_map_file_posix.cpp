#include "open_map_file.h"

// File names are bytes here, whatever their encoding.
std::FILE* OpenMapFile(const char* name, bool) { return std::fopen(name, "rb"); }
