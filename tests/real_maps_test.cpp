// Every real map: the window's report with every field checked, as checked, and the report of its
// unit data in every layout of its sections.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include "cli.h"
#include "report_texts.h"
#include "sample_pud.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The real maps, by name.
std::vector<std::filesystem::path> RealMaps() {
  std::vector<std::filesystem::path> maps;
  for (const auto& item : std::filesystem::directory_iterator(SW_MAPS_DIR)) {
    if (item.path().extension() == ".pud" || item.path().extension() == ".PUD")
      maps.push_back(item.path());
  }
  std::sort(maps.begin(), maps.end());
  return maps;
}

Bytes ReadMap(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

// The window's report of every real map with every field checked, as checked against an
// independent reading of them.
TEST(RealMapsTest, RawReportsMatchTheCheckedReports) {
  std::vector<std::string> arguments{"--all", "--raw"};
  for (const std::filesystem::path& map : RealMaps()) arguments.push_back(map.filename().string());
  ASSERT_EQ(arguments.size(), 53u) << SW_MAPS_DIR;
  std::filesystem::current_path(SW_MAPS_DIR);
  StringOutput out, err;
  EXPECT_EQ(RunCli(arguments, out, err), 1);
  EXPECT_EQ(err.text, "");
  std::ostringstream expected;
  expected << std::ifstream(SW_GOLDEN_REPORT, std::ios::binary).rdbuf();
  EXPECT_EQ(out.text, expected.str());
}

// The window's report of a map and its outcome, as statwarden-cli --raw gives them.
std::string Raw(const std::string& path) {
  StringOutput out, err;
  RunCli({"--raw", path}, out, err);
  return out.text;
}

// The report lines alone, without the outcome.
std::string Report(const std::string& path) {
  const std::string raw = Raw(path);
  const std::size_t outcome = raw.rfind('\n', raw.size() - 2);
  return raw.substr(0, outcome == std::string::npos ? 0 : outcome + 1);
}

struct Layout {
  const char* what;
  std::function<Bytes(Bytes)> make;
  char report = '=';  // the map's own report, '+' with the rigged map's after it, '0' none
};

// Every real map in each layout: the unit data is found wherever it stands, only in its section.
TEST(SectionWalkTest, EveryLayoutOfEveryMapGetsTheReportOfItsUnitData) {
  const std::filesystem::path riggedMap =
      std::filesystem::path(SW_MAPS_DIR) / "Mountain Pass BNE CW.pud";
  const std::string rigged = Report(riggedMap.string());
  ASSERT_NE(rigged, "");
  const Bytes riggedData = SectionData(ReadMap(riggedMap), "UDTA");
  const Bytes noise(40, 0x01);  // would read as a set default-data flag at a fixed offset
  const std::vector<Layout> layouts = {
      {"SGLD before UDTA", [](Bytes m) { return MoveSection(m, "SGLD", "UDTA"); }},
      {"unknown section before UDTA",
       [&](Bytes m) { return InsertSection(m, "ZZZZ", noise, "UDTA"); }},
      {"UDTA last", [](Bytes m) { return MoveSection(m, "UDTA", nullptr); }},
      {"no ERAX, 10 bytes more before UDTA",
       [](Bytes m) {
         return InsertSection(RemoveSection(m, "ERAX"), "ZZZZ", {1, 1}, "UDTA");
       }},
      {"UDTA of 5950 bytes", [](Bytes m) { return ResizeSection(m, "UDTA", 5950); }},
      {"a second UDTA, last",
       [&](Bytes m) { return InsertSection(m, "UDTA", riggedData, nullptr); }, '+'},
      {"no UDTA", [](Bytes m) { return RemoveSection(m, "UDTA"); }, '0'},
      {"a first length past the end: the fixed offsets",
       [](Bytes m) {
         m[7] = 0x7F;
         return m;
       }},
  };
  const ScratchDir dir;
  for (const std::filesystem::path& path : RealMaps()) {
    const Bytes map = ReadMap(path);
    const std::string report = Report(path.string());
    for (const Layout& layout : layouts) {
      const std::string expected = layout.report == '0'   ? ""
                                   : layout.report == '+' ? report + rigged
                                                          : report;
      EXPECT_EQ(Raw(dir.Write("made.pud", layout.make(map))),
                expected + VerdictText(!expected.empty()) + "\n")
          << path.filename() << ": " << layout.what;
    }
    // A UDTA cut short: what it lacks reads as 0, even where the next section's bytes follow.
    const std::size_t cut = 2050;
    const std::size_t size = SectionData(map, "UDTA").size();
    EXPECT_EQ(
        Raw(dir.Write("cut.pud", ResizeSection(map, "UDTA", cut))),
        Raw(dir.Write("zeros.pud", ResizeSection(ResizeSection(map, "UDTA", cut), "UDTA", size))))
        << path.filename();
  }
}

// More unit-data sections than are read: never clean, whatever they hold.
TEST(SectionWalkTest, TooManyUnitDataSectionsAreNeverClean) {
  const ScratchDir dir;
  Bytes map = BuildPud(SamplePud{});
  for (int copies = 0; copies < kSectionsKept; ++copies)
    map = InsertSection(map, "UDTA", SectionData(map, "UDTA"), nullptr);
  EXPECT_EQ(Raw(dir.Write("many.pud", map)), "Warning - unit discrepancies found\n");
}

}  // namespace
