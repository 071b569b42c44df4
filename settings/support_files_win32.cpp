#include "support_files.h"

#include <algorithm>
#include <cwchar>

#include "config_file.h"
#include "tones.h"

wchar_t HelpPath[MAX_PATH];
wchar_t HelpPagePath[MAX_PATH];
wchar_t HappyPath[MAX_PATH];
wchar_t AlarmPath[MAX_PATH];

namespace {

// The length of every extension appended to a placeholder's name.
constexpr std::size_t kExtensionLength = 4;

// A path that names a written file: something before its extension.
bool IsWrittenPath(const wchar_t* path) { return std::wcslen(path) > kExtensionLength; }

// Writes the temporary folder's unique name for `prefix` with `extension` to `path`, creating
// the placeholder; false when the name cannot be made or does not fit.
bool MakeFileName(const wchar_t* prefix, const wchar_t* extension, wchar_t (&path)[MAX_PATH]) {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, folder);
  wchar_t placeholder[MAX_PATH] = {};
  if (length == 0 || length >= MAX_PATH || GetTempFileNameW(folder, prefix, 0, placeholder) == 0) {
    return false;
  }
  if (std::wcslen(placeholder) + std::wcslen(extension) >= MAX_PATH) {
    DeleteFileW(placeholder);
    return false;
  }
  lstrcpyW(path, placeholder);
  lstrcatW(path, extension);
  return true;
}

// Starts the tune hidden, as WinExec would: the tune plays on its own, once it is running.
void RunTune(const wchar_t (&path)[MAX_PATH]) {
  if (SoundFlag != 1 || !IsWrittenPath(path)) return;
  // Quoted, so that a folder name with a space cannot start another program.
  wchar_t command[1 + MAX_PATH + 1];
  command[0] = L'"';
  lstrcpyW(command + 1, path);
  lstrcatW(command, L"\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION started;
  if (CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &started)) {
    // Until the tune runs, as WinExec waits: the tune's first act is to wait for input, so this
    // is short, and the deletion at the end counts on a tune that plays from here.
    WaitForInputIdle(started.hProcess, 30000);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
}

// Deletes the file `path` names, its placeholder and, when `companion` is given, the file named
// as the placeholder with that extension, then empties `path`; true when nothing is left. A file
// that exists but cannot be deleted yet keeps its path, and its placeholder, for a later attempt.
bool DeleteWithPlaceholder(wchar_t (&path)[MAX_PATH], const wchar_t* companion = nullptr) {
  if (!IsWrittenPath(path)) return true;
  if (!DeleteFileW(path) && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return false;
  path[std::wcslen(path) - kExtensionLength] = L'\0';
  DeleteFileW(path);
  if (companion != nullptr) {
    lstrcatW(path, companion);
    DeleteFileW(path);
  }
  path[0] = L'\0';
  return true;
}

// The longest a tune can go on playing.
constexpr DWORD kLongestTuneMilliseconds =
    std::max(TuneMilliseconds(kAlarmTune), TuneMilliseconds(kHappyTune));

}  // namespace

bool ExtractResource(const char* name, const char* type, const wchar_t* prefix,
                     const wchar_t* extension, wchar_t (&path)[MAX_PATH]) {
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
  HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
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
  return DeleteWithPlaceholder(HelpPath, L".gid") && done;
}

void FinishDeletingSupportFiles() {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kLongestTuneMilliseconds) {
    if (DeleteSupportFiles()) return;
    Sleep(50);
  }
}
