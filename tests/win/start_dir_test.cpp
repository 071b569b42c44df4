#include <direct.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "start_dir.h"

namespace {

std::string Current() {
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  char longForm[MAX_PATH];
  return std::string(longForm, GetLongPathNameA(current, longForm, MAX_PATH));
}

std::string TempFolder() {
  char folder[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  char longForm[MAX_PATH];
  return std::string(longForm,
                     GetLongPathNameA(std::string(folder, length).c_str(), longForm, MAX_PATH));
}

// Saved in `start`, moved to another folder and another drive, restored.
void ExpectRestored(const std::string& start) {
  ASSERT_TRUE(SetCurrentDirectoryA(start.c_str())) << start;
  const std::string expected = Current();
  SaveStartDir();
  for (const char* elsewhere : {"C:\\windows", "Z:\\", "C:\\users"}) {
    _chdrive(elsewhere[0] - 'A' + 1);
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere));
    RestoreStartDir();
    EXPECT_EQ(Current(), expected) << "after " << elsewhere;
  }
}

TEST(StartDirTest, FolderWithALongNameAndSpaces) {
  const std::string folder = TempFolder() + "Maps downloaded before the game, long name";
  CreateDirectoryA(folder.c_str(), nullptr);
  ExpectRestored(folder);
  SetCurrentDirectoryA("C:\\");
  RemoveDirectoryA(folder.c_str());
}

TEST(StartDirTest, RootOfADrive) {
  ExpectRestored("C:\\");
  ExpectRestored("Z:\\");
}

TEST(StartDirTest, FolderOnAnotherDrive) { ExpectRestored("Z:\\tmp"); }

// The start folder removed meanwhile: only the drive comes back.
TEST(StartDirTest, RemovedFolderRestoresTheDrive) {
  const std::string folder = TempFolder() + "gone";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  SaveStartDir();
  _chdrive(26);
  SetCurrentDirectoryA("Z:\\tmp");
  ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
  RestoreStartDir();
  EXPECT_EQ(_getdrive(), 3);
}

}  // namespace
