#include "support_files.h"

#include <algorithm>
#include <cstring>

#include "config_file.h"
#include "tones.h"

char HelpPath[MAX_PATH];
char HelpPagePath[MAX_PATH];
char HappyPath[MAX_PATH];
char AlarmPath[MAX_PATH];

namespace {

// The length of every extension appended to a placeholder's name.
constexpr std::size_t kExtensionLength = 4;

// A path that names a written file: something before its extension.
bool IsWrittenPath(const char* path) { return std::strlen(path) > kExtensionLength; }

// Writes the temporary folder's unique name for `prefix` with `extension` to `path`, creating
// the placeholder; false when the name cannot be made or does not fit.
bool MakeFileName(const char* prefix, const char* extension, char (&path)[MAX_PATH]) {
  char folder[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  char placeholder[MAX_PATH] = {};
  if (length == 0 || length >= MAX_PATH || GetTempFileNameA(folder, prefix, 0, placeholder) == 0) {
    return false;
  }
  if (std::strlen(placeholder) + std::strlen(extension) >= MAX_PATH) {
    DeleteFileA(placeholder);
    return false;
  }
  lstrcpyA(path, placeholder);
  lstrcatA(path, extension);
  return true;
}

void RunTune(const char (&path)[MAX_PATH]) {
  if (SoundFlag != 1 || !IsWrittenPath(path)) return;
  // Quoted, so that a folder name with a space cannot start another program.
  char command[1 + MAX_PATH + 1];
  command[0] = '"';
  lstrcpyA(command + 1, path);
  lstrcatA(command, "\"");
  WinExec(command, SW_HIDE);
}

// Deletes the file `path` names, its placeholder and, when `companion` is given, the file named
// as the placeholder with that extension, then empties `path`; true when nothing is left. A file
// that exists but cannot be deleted yet keeps its path, and its placeholder, for a later attempt.
bool DeleteWithPlaceholder(char (&path)[MAX_PATH], const char* companion = nullptr) {
  if (!IsWrittenPath(path)) return true;
  if (!DeleteFileA(path) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return false;
  path[std::strlen(path) - kExtensionLength] = '\0';
  DeleteFileA(path);
  if (companion != nullptr) {
    lstrcatA(path, companion);
    DeleteFileA(path);
  }
  path[0] = '\0';
  return true;
}

// The longest a tune can go on playing.
constexpr DWORD kLongestTuneMilliseconds =
    std::max(TuneMilliseconds(kAlarmTune), TuneMilliseconds(kHappyTune));

}  // namespace

bool ExtractResource(const char* name, const char* type, const char* prefix, const char* extension,
                     char (&path)[MAX_PATH]) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, type);
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr) return false;
  const void* bytes = LockResource(loaded);
  if (bytes == nullptr || !MakeFileName(prefix, extension, path)) {
    FreeResource(loaded);
    return false;
  }
  const DWORD size = SizeofResource(module, found);
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes, size, &written, nullptr);
  CloseHandle(file);
  FreeResource(loaded);
  return true;
}

void RunAlarmTune() { RunTune(AlarmPath); }

void RunHappyTune() { RunTune(HappyPath); }

bool DeleteSupportFiles() {
  bool done = DeleteWithPlaceholder(HappyPath);
  done = DeleteWithPlaceholder(AlarmPath) && done;
  done = DeleteWithPlaceholder(HelpPagePath) && done;
  // The help viewer's index is named as the help file's placeholder with ".gid".
  return DeleteWithPlaceholder(HelpPath, ".gid") && done;
}

void FinishDeletingSupportFiles() {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kLongestTuneMilliseconds) {
    if (DeleteSupportFiles()) return;
    Sleep(50);
  }
}
