#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "latest_pud.h"
#include "pud_search.h"
#include "start_dir.h"
#include "test_support.h"

namespace {

PudEntry Entry(const char* name, std::uint16_t date, std::uint16_t time, std::int32_t size = 100) {
  PudEntry entry;
  std::strcpy(entry.name, name);
  entry.date = date;
  entry.time = time;
  entry.size = size;
  return entry;
}

struct ChoiceCase {
  const char* what;
  std::vector<PudEntry> entries;
  const char* chosen;
};

class LatestPudTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(LatestPudTest, Chooses) {
  LatestPud latest;
  for (const PudEntry& entry : GetParam().entries) latest.Offer(entry);
  ASSERT_TRUE(latest.Found());
  EXPECT_STREQ(latest.Best().name, GetParam().chosen) << GetParam().what;
}

constexpr std::uint16_t kDay1 = (43 << 9) | (11 << 5) | 14;  // 2023-11-14
constexpr std::uint16_t kDay2 = kDay1 + 1;
constexpr std::uint16_t kTen = 10 << 11;                         // 10:00:00
constexpr std::uint16_t kTenPlus2 = kTen + 1;                    // 10:00:02
constexpr std::uint16_t kEvening = (22 << 11) | (59 << 5) | 29;  // 22:59:58

INSTANTIATE_TEST_SUITE_P(
    Entries, LatestPudTest,
    testing::Values(
        ChoiceCase{"single", {Entry("a.pud", kDay1, kTen)}, "a.pud"},
        ChoiceCase{"equal date and time: first wins",
                   {Entry("first.pud", kDay1, kTen), Entry("second.pud", kDay1, kTen)},
                   "first.pud"},
        ChoiceCase{
            "later time", {Entry("a.pud", kDay1, kTen), Entry("b.pud", kDay1, kTenPlus2)}, "b.pud"},
        ChoiceCase{"date before time",
                   {Entry("evening.pud", kDay1, kEvening), Entry("morning.pud", kDay2, kTen),
                    Entry("older.pud", kDay1, kTenPlus2)},
                   "morning.pud"},
        ChoiceCase{"size plays no part",
                   {Entry("full.pud", kDay1, kTen), Entry("empty.pud", kDay1, kTenPlus2, 0)},
                   "empty.pud"},
        ChoiceCase{"unsigned comparison",
                   {Entry("2100.pud", 0xF000, 0), Entry("2000.pud", kDay1, 0xBF7D)},
                   "2100.pud"}));

// Keeps every listed name, and offers each to the chooser.
struct Recorder final : PudVisitor {
  void Visit(const PudEntry& entry) override {
    names.emplace_back(entry.name);
    latest.Offer(entry);
  }
  std::vector<std::string> names;
  LatestPud latest;
};

void SetModified(const std::string& path, time_t seconds) {
  const utimbuf times{seconds, seconds};
  ASSERT_EQ(utime(path.c_str(), &times), 0);
}

// Directories, dotfiles and other names are never listed, whatever their age; the longest name
// the file system allows is listed whole.
TEST(PudSearchTest, ListsPlainVisibleMapsOnly) {
  const ScratchDir dir;
  const std::vector<std::uint8_t> bytes(10, 1);
  SetModified(dir.Write("old.pud", bytes), 1600000000);
  SetModified(dir.Write("UPPER.PUD", {}), 1600000100);
  SetModified(dir.Write(".hidden.pud", bytes), 1700000000);
  SetModified(dir.Write("notes.txt", bytes), 1700000000);
  SetModified(dir.Write("map.pudx", bytes), 1700000000);
  const std::string longest = std::string(255 - 4, 'm') + ".pud";  // as long as a name can be
  SetModified(dir.Write(longest, bytes), 1500000000);
  std::filesystem::create_directory(dir.path() / "folder.pud");
  SetModified((dir.path() / "folder.pud").string(), 1700000000);

  Recorder found;
  ASSERT_TRUE(ForEachPud(dir.path().c_str(), found));
  std::sort(found.names.begin(), found.names.end());
  EXPECT_EQ(found.names, (std::vector<std::string>{"UPPER.PUD", longest, "old.pud"}));
  EXPECT_STREQ(found.latest.Best().name, "UPPER.PUD");
  EXPECT_EQ(found.latest.Best().size, 0);
}

// Autoscan's count: plain visible maps that hold something.
TEST(PudSearchTest, CountsNonEmptyMapsOfTheCurrentDirectory) {
  const ScratchDir dir;
  const std::vector<std::uint8_t> bytes(10, 1);
  dir.Write("one.pud", bytes);
  dir.Write("TWO.PUD", bytes);
  dir.Write("arriving.pud", {});
  dir.Write(".hidden.pud", bytes);
  dir.Write("notes.txt", bytes);
  std::filesystem::create_directory(dir.path() / "folder.pud");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  EXPECT_EQ(CountPuds(), 2);
  dir.Write("arriving.pud", bytes);
  EXPECT_EQ(CountPuds(), 3);
  std::filesystem::current_path(before);
}

// Only a drive letter is a drive to make current again: a network folder has none, and drive 0
// is no drive at all to the C runtime.
TEST(StartDirTest, DriveOfPath) {
  for (const auto& [path, drive] : {std::pair{"C:\\GAMES\\WAR2", 3},
                                    {"a:\\", 1},
                                    {"Z:\\tmp", 26},
                                    {"\\\\server\\share\\maps", 0},
                                    {"\\\\?\\UNC\\server\\share", 0},
                                    {"", 0}}) {
    EXPECT_EQ(DriveOfPath(path), drive) << path;
  }
}

}  // namespace
