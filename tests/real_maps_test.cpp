#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli.h"

namespace {

std::vector<std::string> RealMaps() {
  std::vector<std::string> maps;
  for (const auto& item : std::filesystem::directory_iterator(SW_MAPS_DIR)) {
    const std::string name = item.path().filename().string();
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    if (lower.ends_with(".pud")) maps.push_back(name);
  }
  std::sort(maps.begin(), maps.end());
  return maps;
}

// Every real map, reported as the window would list it. The expected text was checked against
// a separate reading of the same maps written independently of this code.
TEST(RealMapsTest, RawReportsMatchTheCheckedReports) {
  ASSERT_TRUE(std::filesystem::is_directory(SW_MAPS_DIR)) << SW_MAPS_DIR;
  const std::vector<std::string> maps = RealMaps();
  ASSERT_EQ(maps.size(), 51u);
  std::filesystem::current_path(SW_MAPS_DIR);
  std::vector<std::string> arguments{"--raw"};
  arguments.insert(arguments.end(), maps.begin(), maps.end());
  StringOutput out, err;
  EXPECT_EQ(RunCli(arguments, out, err), 1);
  EXPECT_EQ(err.text, "");
  const std::string expected =
      (std::ostringstream() << std::ifstream(SW_GOLDEN_REPORT, std::ios::binary).rdbuf()).str();
  EXPECT_EQ(out.text, expected);
}

}  // namespace
