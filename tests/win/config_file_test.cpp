#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "config_file.h"

// A temporary folder whose path, with its closing backslash, leaves no room for the file's name:
// nothing is written. One character less and the file fits.
TEST(ConfigFileTest, TemporaryFolderAtTheLengthLimit) {
  char saved[MAX_PATH];
  const std::string base(saved, GetTempPathA(MAX_PATH, saved));
  for (const std::size_t length : {246u, 247u}) {
    const std::string folder = base + std::string(length - base.size() - 1, 'd') + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    SetEnvironmentVariableA("TMP", folder.c_str());
    wchar_t path[MAX_PATH];
    EXPECT_EQ(ConfigPath(path), length == 246);
    WriteConfig();
    EXPECT_EQ(DeleteFileA((folder + "sw_config.cfg").c_str()) != 0, length == 246);
    RemoveDirectoryA(folder.c_str());
  }
  SetEnvironmentVariableA("TMP", saved);
}
