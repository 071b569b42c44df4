// The map search on Windows: the system's wildcard match, which ignores case.
#include <windows.h>

#include <cstring>

#include "pud_search.h"

namespace {

constexpr char kPattern[] = "*.pud";

// "*.pud", or the folder, a backslash and "*.pud", in memory of the process heap: a folder of any
// length fits. Null when there is no memory.
char* SearchPattern(const char* folder) {
  const std::size_t length = std::strlen(folder);
  char* pattern = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, length + 1 + sizeof kPattern));
  if (pattern == nullptr) return nullptr;
  char* end = pattern;
  if (length != 0) {
    std::memcpy(end, folder, length);
    end += length;
    *end++ = '\\';
  }
  std::memcpy(end, kPattern, sizeof kPattern);
  return pattern;
}

}  // namespace

bool ForEachPud(const char* folder, PudVisitor& visitor) {
  char* pattern = SearchPattern(folder);
  if (pattern == nullptr) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  const DWORD error = GetLastError();
  HeapFree(GetProcessHeap(), 0, pattern);
  if (search == INVALID_HANDLE_VALUE) return error == ERROR_FILE_NOT_FOUND;
  do {
    if (!IsListedPud(found.dwFileAttributes)) continue;
    PudEntry entry;
    // A name the ANSI code page cannot spell comes back with '?', which no file name holds, and a
    // name in a multibyte code page may pass kPudNameLength bytes: such a map goes by its short
    // name, which opens it all the same.
    const bool longNameUsable =
        std::strchr(found.cFileName, '?') == nullptr && SetPudName(entry, found.cFileName);
    if (!longNameUsable && !SetPudName(entry, found.cAlternateFileName)) continue;
    if (entry.name[0] == '\0') continue;
    entry.size = static_cast<std::int32_t>(found.nFileSizeLow);
    entry.attributes = found.dwFileAttributes;
    FILETIME local;
    FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &entry.date, &entry.time);
    visitor.Visit(entry);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}
