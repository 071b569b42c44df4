#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report_walk.h"
#include "sample_pud.h"
#include "start_comparison.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The changes as the report's rows show them: "<Color> <item> <usual> <value>".
class StartCollector : public StartSink, private ReportView {
 public:
  void AddPlayers(const StartPlayers& players) override { persons = players.count; }
  void AddStartChange(const StartChange& change) override { walk_.AddStartChange(change); }
  int persons = -1;
  std::vector<std::string> changes;

 private:
  void BeginGroup(const ReportGroup&) override {}
  void AddRow(const ReportRow& row) override {
    changes.push_back(std::string(row.name) + " " + std::string(row.standard) + " " +
                      std::string(row.value));
  }

  ReportWalk walk_{*this};
};

// A section of one value a slot for the 16 slots, little-endian; `count` values are given.
Bytes Slots(std::initializer_list<std::uint32_t> values, std::size_t bytes) {
  Bytes data(16 * bytes);
  std::size_t at = 0;
  for (std::uint32_t value : values) {
    for (std::size_t i = 0; i < bytes; ++i) data[at++] = static_cast<std::uint8_t>(value >> 8 * i);
  }
  return data;
}

// UNIT records of (type, owner).
Bytes Units(std::initializer_list<std::pair<int, int>> units) {
  Bytes data;
  for (auto [type, owner] : units) {
    data.insert(data.end(), {1, 0, 1, 0, static_cast<std::uint8_t>(type),
                             static_cast<std::uint8_t>(owner), 1, 0});
  }
  return data;
}

struct Section {
  const char* tag;
  Bytes data;
  bool again = false;  // a second section of the tag, after the first
};

// Red and Violet persons, Green a computer, Blue an orc person.
const Bytes kFourSlots = Slots({5, 5, 4, 5}, 1);
const Bytes kBlueOrc = Slots({0, 1, 0, 0}, 1);

TEST(StartComparisonTest, PersonSlotsAgainstTheUsualStart) {
  Bytes allowances = Slots({}, 4 * 6);
  for (std::size_t slot : {0u, 1u, 3u}) allowances[slot * 4] = 0xFF;  // units allowed, bits 0-7
  allowances[1 * 4] = 0xEF;                                           // Blue: no ogre (bit 4)
  allowances[64 + 3 * 4] = 0x04;                                      // Violet knows spell bit 2
  const struct {
    const char* what;
    std::vector<Section> sections;
    std::vector<std::string> changes;
  } cases[] = {
      {"resources: a tie goes to the lowest slot's value; a short section is left out",
       {{"OWNR", Slots({5, 4, 4, 5}, 1)},
        {"SGLD", Slots({2000, 0, 0, 1000}, 2)},
        {"SLBR", Bytes(6)},
        {"SOIL", Slots({500, 0, 0, 500}, 2)}},
       {"Violet gold 2000 1000"}},
      {"the first section of a tag counts",
       {{"OWNR", kFourSlots}, {"SGLD", Bytes(32)}, {"SGLD", Slots({1, 2, 3, 4}, 2), true}},
       {}},
      {"walls pair across the races and are named for the slot's",
       {{"OWNR", kFourSlots},
        {"SIDE", kBlueOrc},
        {"UNIT", Units({{103, 0}, {104, 1}, {104, 1}, {103, 3}})}},
       {"Blue orc wall 1 2"}},
      {"units by kind, named for the slot's race; no computer's, neutral or start location counted",
       {{"OWNR", kFourSlots},
        {"SIDE", kBlueOrc},
        {"UNIT",
         Units({{2, 0}, {3, 1}, {2, 3}, {5, 1}, {0, 2}, {0, 2}, {92, 15}, {94, 0}, {200, 3}})}},
       {"Blue catapult 0 1", "Violet unit type 200 0 1"}},
      {"allowances by the slot's race; an array too short for the last person is left out",
       {{"OWNR", kFourSlots},
        {"SIDE", kBlueOrc},
        {"ALOW", Bytes(allowances.begin(), allowances.begin() + 64 + 12)}},
       {"Blue axeman allowed yes no"}},
      {"spells known",
       {{"OWNR", kFourSlots}, {"ALOW", allowances}},
       {"Blue archer allowed yes no", "Violet spell bit 2 known no yes"}},
      {"one person slot: nothing compared",
       {{"OWNR", Slots({5, 4}, 1)}, {"SGLD", Slots({1, 2}, 2)}},
       {}},
  };
  for (const auto& c : cases) {
    Bytes pud = BuildPud({});
    for (const Section& section : c.sections) {
      if (!section.again) pud = RemoveSection(pud, section.tag);
      pud = InsertSection(pud, section.tag, section.data, nullptr);
    }
    PudFile file(pud.data(), pud.size());
    StartCollector sink;
    EXPECT_EQ(CompareStarts(file, sink), !c.changes.empty()) << c.what;
    EXPECT_EQ(sink.changes, c.changes) << c.what;
  }
}

// A file that does not walk as sections has no slots at all.
TEST(StartComparisonTest, NothingForAFileThatDoesNotWalk) {
  Bytes pud = BuildPud({});  // Red and Blue persons
  pud[0] = 'X';
  PudFile file(pud.data(), pud.size());
  StartCollector sink;
  EXPECT_FALSE(CompareStarts(file, sink));
  EXPECT_EQ(sink.persons, 0);
}

}  // namespace
