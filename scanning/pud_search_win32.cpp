// The map search on Windows: the system's wildcard match, which ignores case. The search runs on
// wide-character names, so that no name is lost to the ANSI code page.
#include <windows.h>

#include <cwchar>

#include "pud_name_win32.h"
#include "pud_search.h"

namespace {

constexpr wchar_t kPattern[] = L"*.pud";
constexpr std::size_t kPatternLength = sizeof kPattern / sizeof kPattern[0];

// "*.pud", or the folder (in the ANSI code page, or in UTF-8 with `utf8`), a backslash and
// "*.pud", wide, in memory of the process heap: a folder of any length fits. Null when there is no
// memory.
wchar_t* SearchPattern(const char* folder, bool utf8) {
  const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
  const int length =
      folder[0] == '\0' ? 0 : MultiByteToWideChar(codePage, 0, folder, -1, nullptr, 0);
  const auto room = static_cast<std::size_t>(length) + 1 + kPatternLength;
  auto* pattern = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, room * sizeof(wchar_t)));
  if (pattern == nullptr) return nullptr;
  wchar_t* end = pattern;
  if (length != 0) {
    end += MultiByteToWideChar(codePage, 0, folder, -1, pattern, length) - 1;
    *end++ = L'\\';
  }
  std::wmemcpy(end, kPattern, kPatternLength);
  return pattern;
}

}  // namespace

bool SetPudNameFromWide(PudEntry& entry, const wchar_t* name, bool utf8) {
  char ansi[kPudNameLength + 1];
  BOOL lossy = FALSE;
  if (!utf8 &&
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, ansi, sizeof ansi, nullptr,
                          &lossy) != 0 &&
      !lossy && SetPudName(entry, ansi)) {
    return true;
  }
  entry.utf8 = WideCharToMultiByte(CP_UTF8, 0, name, -1, entry.name, sizeof entry.name, nullptr,
                                   nullptr) != 0;
  return entry.utf8;
}

bool ForEachPud(const char* folder, PudVisitor& visitor, bool utf8) {
  wchar_t* pattern = SearchPattern(folder, utf8);
  if (pattern == nullptr) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern, &found);
  const DWORD error = GetLastError();
  HeapFree(GetProcessHeap(), 0, pattern);
  if (search == INVALID_HANDLE_VALUE) return error == ERROR_FILE_NOT_FOUND;
  do {
    if (!IsListedPud(found.dwFileAttributes)) continue;
    PudEntry entry;
    if (!SetPudNameFromWide(entry, found.cFileName, utf8) || entry.name[0] == '\0') continue;
    entry.size = static_cast<std::int32_t>(found.nFileSizeLow);
    entry.attributes = found.dwFileAttributes;
    FILETIME local;
    FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &entry.date, &entry.time);
    visitor.Visit(entry);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return true;
}
