#include "config_file.h"

#include <algorithm>
#include <cstdio>

#include "config.h"

int SoundFlag = 0;
int AllFieldsFlag = 0;

bool ConfigPath(wchar_t (&path)[MAX_PATH]) {
  const DWORD length = GetTempPathW(MAX_PATH, path);
  if (length == 0 || length + sizeof kConfigFileName > MAX_PATH) return false;
  // The name is ASCII: each of its bytes is a character.
  std::copy_n(kConfigFileName, sizeof kConfigFileName, path + length);
  return true;
}

void ReadConfig() {
  wchar_t path[MAX_PATH];
  std::FILE* file = ConfigPath(path) ? _wfopen(path, L"r") : nullptr;
  if (file == nullptr) {
    SoundFlag = 1;
    return;
  }
  ReadConfigEntries(file, {SoundFlag, AllFieldsFlag});
  std::fclose(file);
}

void WriteConfig() {
  wchar_t path[MAX_PATH];
  if (!ConfigPath(path)) return;
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    const DWORD others = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(path, others != 0 ? others : FILE_ATTRIBUTE_NORMAL);
  }
  std::FILE* file = _wfopen(path, L"w");
  if (file == nullptr) return;
  char text[kConfigTextRoom];
  std::fputs(ConfigText(SoundFlag, AllFieldsFlag, text), file);
  std::fclose(file);
}
