#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "config_file.h"

namespace {

std::string TempFolder() {
  char folder[MAX_PATH];
  return std::string(folder, GetTempPathA(MAX_PATH, folder));
}

// Each test starts without a configuration file in the real temporary folder and sound at its
// load value.
class ConfigFileTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = TempFolder() + "sw_config.cfg";
    Remove(path_);
    SoundFlag = 0;
  }
  void TearDown() override { Remove(path_); }

  static void Remove(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Contents(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
  }

  std::string path_;
};

constexpr char kWrittenOn[] = "\r\n[SOUND] 1\r\n\r\n";
constexpr char kWrittenOff[] = "\r\n[SOUND] 0\r\n\r\n";

TEST_F(ConfigFileTest, PathIsTheTemporaryFolderPlusTheName) {
  char path[MAX_PATH];
  ASSERT_TRUE(ConfigPath(path));
  EXPECT_EQ(path, path_);
}

TEST_F(ConfigFileTest, NoFileMeansSoundOnAndTheFileAppearsAtExit) {
  ReadConfig();
  EXPECT_EQ(SoundFlag, 1);
  WriteConfig();
  EXPECT_EQ(Contents(path_), kWrittenOn);
  EXPECT_EQ(Contents(path_).size(), 15u);
}

TEST_F(ConfigFileTest, WrittenFileReadsBack) {
  Put(path_, kWrittenOff);
  SoundFlag = 1;
  ReadConfig();
  EXPECT_EQ(SoundFlag, 0);
  SoundFlag = 1;
  WriteConfig();
  SoundFlag = 0;
  ReadConfig();
  EXPECT_EQ(SoundFlag, 1);
}

TEST_F(ConfigFileTest, ReadOnlyFileIsRewrittenAndKeepsItsOtherAttributes) {
  Put(path_, "[SOUND] 1 and some words");
  ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  SoundFlag = 0;
  WriteConfig();
  EXPECT_EQ(Contents(path_), kWrittenOff);
  const DWORD attributes = GetFileAttributesA(path_.c_str());
  EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_NE(attributes & FILE_ATTRIBUTE_ARCHIVE, 0u);
}

// Held open by another program without sharing: nothing is written and nothing is shown.
TEST_F(ConfigFileTest, FileThatCannotBeWrittenStaysAsItWas) {
  Put(path_, kWrittenOff);
  HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SoundFlag = 1;
  WriteConfig();
  CloseHandle(held);
  EXPECT_EQ(Contents(path_), kWrittenOff);
}

// A temporary folder whose path leaves no room for the name: sound on, nothing written. One
// character less and the file fits.
TEST_F(ConfigFileTest, TemporaryFolderAtTheLengthLimit) {
  const std::string saved = TempFolder();
  std::string base = saved + "limit";
  CreateDirectoryA(base.c_str(), nullptr);
  for (std::size_t fits : {246u, 247u}) {
    // A folder whose path, with its closing backslash, has `fits` characters.
    std::string folder = base + "\\" + std::string(fits - base.size() - 2, 'd');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        << folder.size();
    folder += "\\";
    SetEnvironmentVariableA("TMP", folder.c_str());
    ASSERT_EQ(TempFolder(), folder);
    const bool roomForName = fits == 246;
    char path[MAX_PATH];
    EXPECT_EQ(ConfigPath(path), roomForName);
    SoundFlag = 0;
    ReadConfig();
    EXPECT_EQ(SoundFlag, 1);
    WriteConfig();
    const std::string file = folder + "sw_config.cfg";
    EXPECT_EQ(GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES, roomForName);
    Remove(file);
    RemoveDirectoryA(folder.c_str());
  }
  SetEnvironmentVariableA("TMP", saved.c_str());
  RemoveDirectoryA(base.c_str());
}

}  // namespace
