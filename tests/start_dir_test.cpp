#include <gtest/gtest.h>

#include <filesystem>

#include "start_dir.h"
#include "test_support.h"

namespace {

// The start folder comes back after the current directory moved, even when its name is long
// and has spaces, and even when it was renamed meanwhile.
TEST(StartDirTest, RestoresTheFolderCurrentAtSave) {
  const std::filesystem::path before = std::filesystem::current_path();
  const ScratchDir dir;
  const std::filesystem::path start =
      dir.path() / "Warcraft II Battle net Edition maps downloaded from strangers";
  std::filesystem::create_directories(start);
  std::filesystem::current_path(start);
  SaveStartDir();

  std::filesystem::current_path(dir.path());
  RestoreStartDir();
  EXPECT_EQ(std::filesystem::current_path(), start);

  const std::filesystem::path renamed = dir.path() / "renamed";
  std::filesystem::rename(start, renamed);
  std::filesystem::current_path("/");
  RestoreStartDir();
  EXPECT_EQ(std::filesystem::current_path(), renamed);

  std::filesystem::current_path(before);
  SaveStartDir();
}

}  // namespace
