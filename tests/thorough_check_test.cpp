#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli.h"
#include "sample_pud.h"

namespace {

using Table = std::vector<std::vector<std::string>>;  // rows of cells, the header first

Table ReadTable(const char* name) {
  std::ifstream file(std::filesystem::path(SW_STANDARD_DATA_DIR) / name);
  Table rows;
  for (std::string line; std::getline(file, line);) {
    std::istringstream cells(line);
    rows.emplace_back();
    for (std::string cell; std::getline(cells, cell, '\t');) rows.back().push_back(cell);
  }
  return rows;
}

// Every field that the standard tables give, read from the map's own sections: the changes as
// statwarden-cli --all should list them, UDTA before UGRD, without their names.
nlohmann::json ExpectedChanges(const std::vector<std::uint8_t>& map) {
  static const Table layout = ReadTable("section-layout.tsv");
  static const std::map<std::string, Table> standard = {
      {"UDTA", ReadTable("standard-units.tsv")}, {"UGRD", ReadTable("standard-upgrades.tsv")}};
  nlohmann::json changes = nlohmann::json::array();
  for (const auto& [tag, table] : standard) {
    const std::vector<std::uint8_t> data = SectionData(map, tag.c_str());
    if (data.empty() || data[0] != 0) continue;  // none, or the game's own data
    for (const std::vector<std::string>& row : layout) {
      const auto column = std::find(table[0].begin(), table[0].end(), row[1]);
      if (row[0] != tag || column == table[0].end()) continue;
      const unsigned scale = tag == "UDTA" && row[1].ends_with("_cost") ? 10 : 1;
      const std::size_t offset = std::stoul(row[2]), bytes = std::stoul(row[4]);
      for (std::size_t i = 0; i < std::stoul(row[3]); ++i) {
        unsigned value = 0;
        for (std::size_t b = bytes; b-- > 0;) value = value << 8 | data.at(offset + i * bytes + b);
        const unsigned expected = static_cast<unsigned>(
            std::stoul(table[i + 1][static_cast<std::size_t>(column - table[0].begin())]));
        if (value == expected) continue;
        changes.push_back({{"field", row[1]},
                           {"index", i},
                           {"map", value * scale},
                           {"section", tag},
                           {"standard", expected * scale}});
      }
    }
  }
  return changes;
}

TEST(ThoroughCheckTest, AllListsExactlyTheFieldsThatDifferFromTheStandardData) {
  int changedMaps = 0;
  for (const auto& item : std::filesystem::directory_iterator(SW_MAPS_DIR)) {
    if (item.path().extension() != ".pud" && item.path().extension() != ".PUD") continue;
    StringOutput out, err;
    const int status = RunCli({"--all", "--json", item.path().string()}, out, err);
    const nlohmann::json result = nlohmann::json::parse(out.text).at(0);
    nlohmann::json changes = result["changes"];
    for (nlohmann::json& change : changes) {
      EXPECT_EQ(change.size(), 6u);
      EXPECT_FALSE(change.value("name", "").empty()) << change;
      change.erase("name");
    }
    std::ifstream file(item.path(), std::ios::binary);
    const std::vector<std::uint8_t> map(std::istreambuf_iterator<char>(file), {});
    EXPECT_EQ(changes, ExpectedChanges(map)) << item.path().filename();
    EXPECT_EQ(status, changes.empty() && result["sections"].empty() ? 0 : 1);
    changedMaps += !changes.empty();
  }
  EXPECT_GT(changedMaps, 0);
}

}  // namespace
