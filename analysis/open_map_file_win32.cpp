#include <windows.h>

#include "open_map_file.h"

std::FILE* OpenMapFile(const char* name, bool utf8Name) {
  if (!utf8Name) return std::fopen(name, "rb");
  wchar_t wideName[MAX_PATH];
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, -1, wideName, MAX_PATH) == 0) {
    return nullptr;
  }
  return _wfopen(wideName, L"rb");
}
