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

constexpr std::uint16_t kDay1 = (43 << 9) | (11 << 5) | 14;  // 2023-11-14
constexpr std::uint16_t kDay2 = kDay1 + 1;
constexpr std::uint16_t kTen = 10 << 11;                         // 10:00:00
constexpr std::uint16_t kTenPlus2 = kTen + 1;                    // 10:00:02
constexpr std::uint16_t kEvening = (22 << 11) | (59 << 5) | 29;  // 22:59:58

// By date, then time, compared unsigned; among equals the first offered; size plays no part.
TEST(LatestPudTest, Chooses) {
  const std::pair<std::vector<PudEntry>, const char*> cases[] = {
      {{Entry("first.pud", kDay1, kTen), Entry("second.pud", kDay1, kTen)}, "first.pud"},
      {{Entry("a.pud", kDay1, kTen), Entry("b.pud", kDay1, kTenPlus2)}, "b.pud"},
      {{Entry("evening.pud", kDay1, kEvening), Entry("morning.pud", kDay2, kTen),
        Entry("older.pud", kDay1, kTenPlus2)},
       "morning.pud"},
      {{Entry("full.pud", kDay1, kTen), Entry("empty.pud", kDay1, kTenPlus2, 0)}, "empty.pud"},
      {{Entry("2100.pud", 0xF000, 0), Entry("2000.pud", kDay1, 0xBF7D)}, "2100.pud"}};
  for (const auto& [entries, chosen] : cases) {
    LatestPud latest;
    for (const PudEntry& entry : entries) latest.Offer(entry);
    ASSERT_TRUE(latest.Found());
    EXPECT_STREQ(latest.Best().name, chosen);
  }
}

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

// Folders, dotfiles and other names are never listed; the longest name possible is listed whole.
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

// Only a drive letter is a drive to make current: a network folder has none (drive 0 is none).
TEST(StartDirTest, DriveOfPath) {
  const std::pair<const char*, int> cases[] = {{"C:\\GAMES\\WAR2", 3},
                                               {"a:\\", 1},
                                               {"Z:\\tmp", 26},
                                               {"\\\\server\\share\\maps", 0},
                                               {"\\\\?\\UNC\\server\\share", 0},
                                               {"", 0}};
  for (const auto& [path, drive] : cases) EXPECT_EQ(DriveOfPath(path), drive) << path;
}

}  // namespace
