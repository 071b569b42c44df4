// The map search on Windows: the system's wildcard match, which ignores case.
#include <windows.h>

#include "pud_search.h"

bool ForEachPud(const std::string& folder, const std::function<void(const PudEntry&)>& visit) {
  const std::string pattern = folder.empty() ? "*.pud" : folder + "\\*.pud";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    if (!IsListedPud(found.dwFileAttributes)) continue;
    PudEntry entry;
    entry.name = found.cFileName;
    entry.size = static_cast<std::int32_t>(found.nFileSizeLow);
    entry.attributes = found.dwFileAttributes;
    FILETIME local;
    FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &entry.date, &entry.time);
    visit(entry);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  return last == '\\' || last == '/' || last == ':' ? folder + name : folder + '\\' + name;
}
