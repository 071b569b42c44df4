// The start folder on Windows: the drive and the folder as a rooted short path, or, started from
// a network folder, its whole path in short form. Both are wide, so that a folder whose name the
// ANSI code page cannot spell is found again.
#include <direct.h>
#include <windows.h>

#include "start_dir.h"

namespace {

// 1 = A:, 2 = B:, 3 = C:, ...; 0 for a network folder, which has no drive.
int StartDrive = 0;
// "\" plus the folder's path on StartDrive, in short form, in memory of the process heap; null
// when the conversion failed.
wchar_t* StartDir = nullptr;

wchar_t* Allocate(DWORD characters) {
  return static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, characters * sizeof(wchar_t)));
}

void Release(wchar_t* memory) {
  if (memory != nullptr) HeapFree(GetProcessHeap(), 0, memory);
}

// The short form of `path`, sized as the system asks; null when it cannot be had.
wchar_t* ShortPath(const wchar_t* path) {
  const DWORD room = GetShortPathNameW(path, nullptr, 0);
  wchar_t* shortPath = room != 0 ? Allocate(room) : nullptr;
  if (shortPath == nullptr) return nullptr;
  const DWORD length = GetShortPathNameW(path, shortPath, room);
  if (length != 0 && length < room) return shortPath;
  Release(shortPath);
  return nullptr;
}

}  // namespace

void SaveStartDir() {
  StartDrive = 0;
  Release(StartDir);
  StartDir = nullptr;
  const DWORD room = GetCurrentDirectoryW(0, nullptr);
  wchar_t* current = room != 0 ? Allocate(room) : nullptr;
  if (current == nullptr) return;
  const DWORD length = GetCurrentDirectoryW(room, current);
  if (length != 0 && length < room) {
    // "C:\GAMES\WAR2" becomes "\GAMES\WAR2" and "C:\" becomes "\". A network folder has no
    // drive letter and keeps its whole path.
    StartDrive = DriveOfPath(current);
    StartDir = ShortPath(StartDrive != 0 ? current + 2 : current);
  }
  Release(current);
}

void RestoreStartDir() {
  if (StartDrive != 0) _chdrive(StartDrive);
  if (StartDir != nullptr) SetCurrentDirectoryW(StartDir);
}
