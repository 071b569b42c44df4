#include <gtest/gtest.h>
#include <utime.h>

#include <nlohmann/json.hpp>

#include "cli.h"
#include "sample_pud.h"
#include "start_dir.h"
#include "test_support.h"

namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunWith(const std::vector<std::string>& arguments) {
  StringOutput out, err;
  const int status = RunCli(arguments, out, err);
  return {status, out.text, err.text};
}

// A clean map, a rigged one (footman's hit points 100) and one using the default data.
class CliTest : public testing::Test {
 protected:
  CliTest() {
    clean_ = dir_.Write("clean.pud", BuildPud(SamplePud{}));
    SamplePud rigged;
    SetMapValue(rigged.units, Statistic::HitPoints, 0, 100);
    rigged_ = dir_.Write("rigged.pud", BuildPud(rigged));
    SamplePud standard;
    standard.defaultDataWord = 1;
    standard_ = dir_.Write("standard.pud", BuildPud(standard));
    missing_ = (dir_.path() / "missing.pud").string();
  }

  ScratchDir dir_;
  std::string clean_, rigged_, standard_, missing_;
};

TEST_F(CliTest, ExitStatusFollowsTheWorstMap) {
  struct Case {
    std::vector<std::string> maps;
    int status;
  };
  for (const Case& c :
       {Case{{clean_}, 0}, Case{{standard_, clean_}, 0}, Case{{rigged_}, 1},
        Case{{clean_, rigged_}, 1}, Case{{missing_}, 2}, Case{{rigged_, missing_}, 2}}) {
    for (const char* view : {"--raw", "--json", "--"}) {
      std::vector<std::string> arguments{view};
      arguments.insert(arguments.end(), c.maps.begin(), c.maps.end());
      EXPECT_EQ(RunWith(arguments).status, c.status) << view << " " << c.maps.size();
    }
  }
}

TEST_F(CliTest, SeveralMapsAreNamedAndUnreadableOnesReported) {
  const CliRun run = RunWith({"--raw", clean_, missing_, standard_});
  EXPECT_EQ(run.out, "==> " + clean_ + " <==\nNo unit specials found\n==> " + standard_ +
                         " <==\nNo unit specials found\n");
  EXPECT_EQ(run.err, "File input error: " + missing_ + "\n");
}

TEST_F(CliTest, HumanViewAlignsColumnsUnderAHeading) {
  const CliRun run = RunWith({rigged_});
  EXPECT_EQ(run.out,
            "Name                      Standard  This pud\n"
            "\n"
            "Hit Points change:-\n"
            "footman                         60       100\n"
            "Warning - unit discrepancies found\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(CliTest, JsonDescribesEveryMap) {
  SamplePud blacksmith;
  SetMapValue(blacksmith.units, Statistic::GoldCost, 82, 81);
  SetMapValue(blacksmith.units, Statistic::GoldCost, 83, 0);
  const std::string smith = dir_.Write("smith.pud", BuildPud(blacksmith));
  const CliRun run = RunWith({"--json", smith, standard_, missing_});
  const nlohmann::json maps = nlohmann::json::parse(run.out);
  ASSERT_EQ(maps.size(), 2u);
  EXPECT_EQ(maps[0]["file"], smith);
  EXPECT_EQ(maps[0]["verdict"], "discrepancies");
  EXPECT_EQ(maps[0]["defaultData"], false);
  EXPECT_EQ(maps[0]["sections"],
            nlohmann::json::parse(R"([{"statistic": "GoldCost", "title": "Gold cost change:-",
              "units": [{"index": 82, "name": "human blacksmiths", "standard": 800, "map": 810},
                        {"index": 83, "name": "orc blacksmiths", "standard": 800, "map": 0}]}])"));
  EXPECT_EQ(maps[1]["verdict"], "clean");
  EXPECT_EQ(maps[1]["defaultData"], true);
  EXPECT_EQ(maps[1]["sections"], nlohmann::json::array());
  EXPECT_EQ(RunWith({"--json", missing_}).out, "[]\n");
}

TEST_F(CliTest, LatestChecksTheNewestMap) {
  for (const auto& [path, seconds] :
       {std::pair{clean_, 1700000000}, {standard_, 1700000100}, {rigged_, 1700000200}}) {
    const utimbuf times{seconds, seconds};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
  }
  const CliRun run = RunWith({"--raw", "--latest", dir_.path().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.rfind(" \nHit Points change:-\n", 0), 0u) << run.out;

  const ScratchDir empty;
  const CliRun none = RunWith({"--latest", empty.path().string()});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.err, "Error - no puds found\n");

  // Without a folder: the start folder, wherever the current directory has gone since.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  SaveStartDir();
  std::filesystem::current_path(empty.path());
  EXPECT_EQ(RunWith({"--raw", "--latest"}).status, 1);
  std::filesystem::current_path(before);
  SaveStartDir();
}

TEST_F(CliTest, Usage) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    bool usageOnStdout;
    bool usageOnStderr;
  };
  for (const Case& c : {Case{{"--help"}, 0, true, false}, Case{{}, 2, false, true},
                        Case{{"--frobnicate", clean_}, 2, false, true},
                        Case{{"--raw", "--json", clean_}, 2, false, true},
                        Case{{"--latest", "a", "b"}, 2, false, true}}) {
    const CliRun run = RunWith(c.arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out.find("Usage: statwarden-cli") == 0, c.usageOnStdout);
    EXPECT_EQ(run.err.find("Usage: statwarden-cli") == 0, c.usageOnStderr);
  }
  const CliRun version = RunWith({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("statwarden-cli 1.", 0), 0u);
}

}  // namespace
