#include "config_file.h"

#include <cstdio>

#include "config.h"

int SoundFlag = 0;
int AllFieldsFlag = 0;

bool ConfigPath(char (&path)[MAX_PATH]) {
  const DWORD length = GetTempPathA(MAX_PATH, path);
  if (length == 0 || length + sizeof kConfigFileName > MAX_PATH) return false;
  lstrcatA(path, kConfigFileName);
  return true;
}

void ReadConfig() {
  char path[MAX_PATH];
  std::FILE* file = ConfigPath(path) ? std::fopen(path, "r") : nullptr;
  if (file == nullptr) {
    SoundFlag = 1;
    return;
  }
  ReadConfigEntries(file, {SoundFlag, AllFieldsFlag});
  std::fclose(file);
}

void WriteConfig() {
  char path[MAX_PATH];
  if (!ConfigPath(path)) return;
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    const DWORD others = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path, others != 0 ? others : FILE_ATTRIBUTE_NORMAL);
  }
  std::FILE* file = std::fopen(path, "w");
  if (file == nullptr) return;
  char text[kConfigTextRoom];
  std::fputs(ConfigText(SoundFlag, AllFieldsFlag, text), file);
  std::fclose(file);
}
