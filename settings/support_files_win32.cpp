#include "support_files.h"

#include <cstring>

#include "config_file.h"

char HelpPath[MAX_PATH];
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

// Deletes the file `path` names and its placeholder, leaving the placeholder's name in `path`.
// An empty path is left alone.
bool DeleteWithPlaceholder(char (&path)[MAX_PATH]) {
  if (!IsWrittenPath(path)) return false;
  DeleteFileA(path);
  path[std::strlen(path) - kExtensionLength] = '\0';
  DeleteFileA(path);
  return true;
}

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

void DeleteSupportFiles() {
  DeleteWithPlaceholder(HappyPath);
  DeleteWithPlaceholder(AlarmPath);
  if (DeleteWithPlaceholder(HelpPath)) {
    // The help viewer's index: the placeholder's name with ".gid", as long as the help file's.
    lstrcatA(HelpPath, ".gid");
    DeleteFileA(HelpPath);
  }
}
