#include <gtest/gtest.h>
#include <utime.h>

#include <nlohmann/json.hpp>

// A PNG decoder of its own reads the pictures back.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "cli.h"
#include "map_picture.h"
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

// A map using the default data, a newer rigged one (blacksmiths' gold costs changed), one missing.
class CliTest : public testing::Test {
 protected:
  CliTest() {
    SamplePud rigged, standard;
    SetMapValue(rigged.units, Statistic::GoldCost, 82, 81);
    SetMapValue(rigged.units, Statistic::GoldCost, 83, 0);
    standard.defaultDataWord = 1;
    standard_ = Write("standard.pud", standard, 100);
    rigged_ = Write("rigged.pud", rigged, 200);
    missing_ = (dir_.path() / "missing.pud").string();
  }

  std::string Write(const char* name, const SamplePud& map, time_t seconds) const {
    const std::string path = dir_.Write(name, BuildPud(map));
    const utimbuf times{1700000000 + seconds, 1700000000 + seconds};
    utime(path.c_str(), &times);
    return path;
  }

  ScratchDir dir_;
  std::string rigged_, standard_, missing_;
};

// Every map is checked; one that cannot be read (a folder too) is named on stderr: status 2.
TEST_F(CliTest, UnreadableMapsAreNamedAndTheOthersChecked) {
  const std::string folder = dir_.path().string();
  const CliRun run = RunWith({"--raw", rigged_, missing_, folder, standard_});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out.rfind("==> " + rigged_ + " <==\n", 0), 0u);
  EXPECT_NE(run.out.find("==> " + standard_ + " <==\nNo unit specials found\n"), std::string::npos);
  EXPECT_EQ(run.err, "File input error: " + missing_ + "\nFile input error: " + folder + "\n");
}

TEST_F(CliTest, JsonDescribesEveryMap) {
  const CliRun run = RunWith({"--json", rigged_, standard_, missing_});
  const nlohmann::json maps = nlohmann::json::parse(run.out);
  ASSERT_EQ(maps.size(), 2u);
  EXPECT_EQ(maps[0]["file"], rigged_);
  EXPECT_EQ(maps[0]["verdict"], "discrepancies");
  EXPECT_EQ(maps[0]["defaultData"], false);
  EXPECT_EQ(maps[0]["sections"],
            nlohmann::json::parse(R"([{"statistic": "GoldCost", "title": "Gold cost change:-",
              "units": [{"index": 82, "name": "human blacksmiths", "standard": 800, "map": 810},
                        {"index": 83, "name": "orc blacksmiths", "standard": 800, "map": 0}]}])"));
  EXPECT_EQ(maps[1]["verdict"], "clean");
  EXPECT_EQ(maps[1]["defaultData"], true);
  EXPECT_EQ(maps[1]["sections"], nlohmann::json::array());
  // With --all, every change: those the sections show too, as data is not a view.
  EXPECT_EQ(nlohmann::json::parse(RunWith({"--all", "--json", rigged_}).out)[0]["changes"],
            nlohmann::json::parse(R"([
              {"section": "UDTA", "field": "gold_cost", "index": 82, "name": "human blacksmiths",
               "standard": 800, "map": 810},
              {"section": "UDTA", "field": "gold_cost", "index": 83, "name": "orc blacksmiths",
               "standard": 800, "map": 0}])"));
}

// The newest map of the folder named, or of the start folder wherever the current one is now.
TEST_F(CliTest, LatestChecksTheNewestMap) {
  EXPECT_EQ(RunWith({"--raw", "--latest", dir_.path().string()}).status, 1);
  const ScratchDir empty;
  EXPECT_EQ(RunWith({"--latest", empty.path().string()}).err, "Error - no puds found\n");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  SaveStartDir();
  std::filesystem::current_path(empty.path());
  EXPECT_EQ(RunWith({"--raw", "--latest"}).status, 1);
  std::filesystem::current_path(before);
  SaveStartDir();
}

TEST_F(CliTest, Usage) {
  for (const auto& [arguments, status] : {std::pair{std::vector<std::string>{"--help"}, 0},
                                          {{}, 2},
                                          {{"--frobnicate", standard_}, 2},
                                          {{"--raw", "--json", standard_}, 2},
                                          {{"--latest", "a", "b"}, 2},
                                          {{standard_, "--picture"}, 2}}) {
    const CliRun run = RunWith(arguments);
    EXPECT_EQ(run.status, status);
    EXPECT_EQ((status == 0 ? run.out : run.err).rfind("Usage: statwarden-cli", 0), 0u);
  }
  EXPECT_EQ(RunWith({"--version"}).out.rfind("statwarden-cli 1.", 0), 0u);
}

// An allowance shows as yes or no in the table, as true or false in JSON.
TEST_F(CliTest, AllowancesAreYesOrNo) {
  std::vector<std::uint8_t> allowances(384, 0xFF);
  allowances[4] = 0xFE;  // Blue may not train footmen
  const std::string map =
      dir_.Write("allowances.pud",
                 InsertSection(RemoveSection(BuildPud({}), "ALOW"), "ALOW", allowances, nullptr));
  EXPECT_NE(RunWith({"--all", map}).out.find("\nBlue footman allowed           yes        no\n"),
            std::string::npos);
  EXPECT_EQ(nlohmann::json::parse(RunWith({"--all", "--json", map}).out)[0]["starts"]["unequal"],
            nlohmann::json::parse(R"([{"player": 2, "color": "Blue", "item": "footman allowed",
                                       "usual": true, "value": false}])"));
}

// --picture: a PNG of each map that has land, pixel for pixel what DrawPicture draws, a name met
// again with " (2)"; a map without land, or one not read, writes none. A folder that cannot take
// a picture is an error, after the whole report.
TEST_F(CliTest, PicturesArePngFiles) {
  const std::string war = std::string(SW_MAPS_DIR) + "/War.pud";
  PudFile file(war.c_str());
  MapLand land;
  ASSERT_TRUE(ReadMapLand(file, land));
  Picture drawn;
  DrawPicture(land, drawn);
  const ScratchDir pictures;
  const std::string folder = pictures.path().string();
  const CliRun run = RunWith({"--picture", folder, war, rigged_, missing_, war});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, rigged_ +
                         ": No picture: the map does not give its size, tiles and movement\n" +
                         "File input error: " + missing_ + "\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
  for (const char* name : {"War.png", "War (2).png"}) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* rgb = stbi_load((folder + "/" + name).c_str(), &width, &height, &channels, 3);
    ASSERT_NE(rgb, nullptr) << name;
    EXPECT_EQ(width, drawn.width);
    EXPECT_EQ(std::vector<std::uint8_t>(rgb, rgb + 3 * width * height), drawn.rgb) << name;
    stbi_image_free(rgb);
  }
  const CliRun unwritable = RunWith({"--picture", folder + "/none", war});
  EXPECT_EQ(unwritable.status, 2);
  EXPECT_EQ(unwritable.out, RunWith({war}).out);
  EXPECT_EQ(unwritable.err, "Error - the picture could not be written: " + folder +
                                "/none/War.png: No such file or directory\n");
}

// The columns of the table stay apart whatever a value's width: a unit's flags of ten digits.
TEST(CliTableTest, ColumnsNeverRunTogether) {
  const std::string out =
      RunWith({"--all", std::string(SW_MAPS_DIR) + "/(4) Dark Portal Invasion.pud"}).out;
  EXPECT_NE(out.find("\nkhadgar                   201981953 2282356865\n"), std::string::npos)
      << out;
}

// The starts of a real map that gives one slot a catapult: a group of their own, a warning, and in
// JSON the person slots and the change.
TEST(CliStartsTest, IslandMapGivesVioletACatapult) {
  const std::string map = std::string(SW_MAPS_DIR) + "/(4)4-isl.pud";
  const CliRun human = RunWith({"--all", map});
  EXPECT_EQ(human.status, 1);
  EXPECT_NE(
      human.out.find("\n\nPlayer start change:-\nViolet catapult                  0         1\n"
                     "Warning - unit discrepancies found\n"),
      std::string::npos)
      << human.out;
  const auto starts = nlohmann::json::parse(RunWith({"--all", "--json", map}).out)[0]["starts"];
  EXPECT_EQ(starts, nlohmann::json::parse(R"({"players": [
      {"player": 1, "color": "Red", "race": "human"}, {"player": 2, "color": "Blue", "race": "human"},
      {"player": 3, "color": "Green", "race": "orc"}, {"player": 4, "color": "Violet", "race": "orc"}],
    "unequal": [{"player": 4, "color": "Violet", "item": "catapult", "usual": 0, "value": 1}]})"));
}

}  // namespace
