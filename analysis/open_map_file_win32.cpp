#include <windows.h>

#include <cerrno>

#include "open_map_file.h"

std::FILE* OpenNamedFile(const char* name, bool utf8Name, const char* mode) {
  if (!utf8Name) return std::fopen(name, mode);
  wchar_t wideName[MAX_PATH];
  wchar_t wideMode[4] = {};
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, -1, wideName, MAX_PATH) == 0 ||
      MultiByteToWideChar(CP_UTF8, 0, mode, -1, wideMode, 4) == 0) {
    errno = GetLastError() == ERROR_INSUFFICIENT_BUFFER ? ENAMETOOLONG : EINVAL;
    return nullptr;
  }
  return _wfopen(wideName, wideMode);
}
