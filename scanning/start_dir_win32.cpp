// The start folder on Windows: the drive number and the folder as a rooted short path.
#include <direct.h>
#include <windows.h>

#include <string>

#include "start_dir.h"

namespace {

// 0 = A:, 1 = B:, 2 = C:, ...
int StartDrive = 0;
// "\" plus the folder's path on StartDrive, in short form; empty when the conversion failed.
std::string StartDir;

}  // namespace

void SaveStartDir() {
  StartDrive = _getdrive() - 1;
  std::string current(GetCurrentDirectoryA(0, nullptr), '\0');
  current.resize(GetCurrentDirectoryA(static_cast<DWORD>(current.size()), current.data()));
  // "C:\GAMES\WAR2" becomes "\GAMES\WAR2" and "C:\" becomes "\". A network folder has no drive
  // letter and keeps its whole path.
  std::string rooted = current;
  if (rooted.size() >= 2 && rooted[1] == ':') rooted.erase(0, 2);
  StartDir.assign(GetShortPathNameA(rooted.c_str(), nullptr, 0), '\0');
  const DWORD length =
      GetShortPathNameA(rooted.c_str(), StartDir.data(), static_cast<DWORD>(StartDir.size()));
  StartDir.resize(length < StartDir.size() ? length : 0);
}

void RestoreStartDir() {
  _chdrive(StartDrive + 1);
  if (!StartDir.empty()) SetCurrentDirectoryA(StartDir.c_str());
}
