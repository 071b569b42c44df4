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

struct VerdictCase {
  const char* map;
  int status;
  const char* line;  // one line the report must hold
};

class RealMapVerdictTest : public testing::TestWithParam<VerdictCase> {};

// Maps whose unit data was read by hand.
TEST_P(RealMapVerdictTest, Verdict) {
  const std::string path = std::string(SW_MAPS_DIR) + "/" + GetParam().map;
  StringOutput out, err;
  EXPECT_EQ(RunCli({"--raw", path}, out, err), GetParam().status);
  EXPECT_NE(out.text.find(GetParam().line), std::string::npos) << out.text;
}

INSTANTIATE_TEST_SUITE_P(
    HandChecked, RealMapVerdictTest,
    testing::Values(
        VerdictCase{"War.pud", 0, "No unit specials found\n"},            // own data, standard
        VerdictCase{"Castle 1 on 1.pud", 0, "No unit specials found\n"},  // default data
        VerdictCase{"Mountain Pass BNE CW.pud", 1,
                    "Unit Piercing Damage change:-\ndaemon\t\t\t1\t66\n"},
        VerdictCase{"Magic attack.pud", 1, "Build time change:-\nfootman\t\t\t60\t20\n"},
        VerdictCase{"Oil Is Gold.pud", 1, "Oil cost change:-\nfootman\t\t\t0\t100\n"}));

}  // namespace
