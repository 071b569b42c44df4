#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "app_driver.h"
#include "sample_pud.h"

namespace {

constexpr WORD kScan = 220;

std::string DriverTemp() {
  char folder[MAX_PATH];
  return std::string(folder, GetTempPathA(MAX_PATH, folder));
}

void RemoveTree(const std::string& folder) {
  for (const std::string& name : FilesIn(folder)) {
    const std::string path = folder + "\\" + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(path.c_str())) RemoveTree(path);
  }
  RemoveDirectoryA(folder.c_str());
}

// Sets the last-write time of a file or folder to a local date and time.
void SetModified(const std::string& path, WORD year, WORD month, WORD day, WORD hour) {
  SYSTEMTIME local{};
  local.wYear = year;
  local.wMonth = month;
  local.wDay = day;
  local.wHour = hour;
  FILETIME localTime, utc;
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &utc);
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  SetFileTime(file, nullptr, nullptr, &utc);
  CloseHandle(file);
}

SamplePud Rigged() {
  SamplePud map;
  SetMapValue(map.units, Statistic::BuildTime, 5, 200);
  SetMapValue(map.units, Statistic::GoldCost, 2, 45);
  SetMapValue(map.units, Statistic::HitPoints, 0, 100);
  return map;
}

const std::vector<std::string> kRiggedLines = {"Build time change:-", "catapult\t\t\t250\t200", " ",
                                               "Gold cost change:-",  "peasant\t\t\t400\t450",  " ",
                                               "Hit Points change:-", "footman\t\t\t60\t100"};

const MessageBoxSeen kDiscrepancies{"Warning - unit discrepancies found", "Statwarden"};
const MessageBoxSeen kClean{"No unit specials found", "Statwarden"};

// What one command showed: its message box and the tunes that ran meanwhile.
struct Outcome {
  MessageBoxSeen box;
  bool alarm = false;
  bool happy = false;
};

// Each test has a start folder for maps and a temporary folder of its own for the program.
class ScanTest : public testing::Test {
 protected:
  void SetUp() override {
    base_ = DriverTemp() + testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveTree(base_);
    start_ = base_ + "\\maps";
    temp_ = base_ + "\\temp";
    CreateDirectoryA(base_.c_str(), nullptr);
    CreateDirectoryA(start_.c_str(), nullptr);
    CreateDirectoryA(temp_.c_str(), nullptr);
  }
  void TearDown() override { RemoveTree(base_); }

  std::string AddMap(const std::string& name, const SamplePud& map, WORD day = 1) const {
    const std::string path = start_ + "\\" + name;
    const std::vector<std::uint8_t> bytes = BuildPud(map);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    SetModified(path, 2024, 3, day, 12);
    return path;
  }

  void SetSound(char digit) const {
    std::ofstream(temp_ + "\\sw_config.cfg", std::ios::binary)
        << "\r\n[SOUND] " << digit << "\r\n\r\n";
  }

  void StartApp() { ASSERT_TRUE(app_.Start(start_, temp_)); }

  // Sends `command` (or presses S), notes the tunes that start, reads and dismisses the box.
  Outcome Run(WORD command, bool byKey = false) {
    if (byKey) {
      app_.Key('S');
    } else {
      app_.Command(command);
    }
    Outcome outcome;
    HWND box = nullptr;
    for (int tries = 0; tries < 400; ++tries) {
      outcome.alarm = outcome.alarm || !TuneProcesses("alm").empty();
      outcome.happy = outcome.happy || !TuneProcesses("hpy").empty();
      if (box != nullptr && tries % 20 == 19) break;
      if (box == nullptr) box = app_.FindMessageBox();
      Sleep(25);
    }
    if (box != nullptr) outcome.box = app_.Dismiss(box);
    WaitForTunesToEnd();
    return outcome;
  }

  static void WaitForTunesToEnd() {
    for (int tries = 0; tries < 200; ++tries, Sleep(25)) {
      if (TuneProcesses("alm").empty() && TuneProcesses("hpy").empty()) return;
    }
  }

  // After a normal end only the configuration file is left, in its 15 bytes.
  void ExpectCleanTemp(char soundDigit) const {
    EXPECT_EQ(FilesIn(temp_), std::vector<std::string>{"sw_config.cfg"});
    EXPECT_EQ(ReadFileBytes(temp_ + "\\sw_config.cfg"),
              std::string("\r\n[SOUND] ") + soundDigit + "\r\n\r\n");
  }

  std::string base_, start_, temp_;
  AppDriver app_;
};

TEST_F(ScanTest, RiggedMapIsListedWithTheAlarm) {
  SetSound('1');
  AddMap("older clean.pud", SamplePud{}, 1);
  AddMap("rigged.pud", Rigged(), 2);
  StartApp();
  EXPECT_EQ(app_.Title(), "Statwarden");
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_TRUE(outcome.alarm);
  EXPECT_FALSE(outcome.happy);
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  ExpectCleanTemp('1');
}

TEST_F(ScanTest, CleanAndDefaultDataMapsWithTheHappyTune) {
  AddMap("clean.pud", SamplePud{}, 1);
  StartApp();
  Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kClean);
  EXPECT_TRUE(outcome.happy);
  EXPECT_FALSE(outcome.alarm);
  EXPECT_TRUE(app_.ListLines().empty());

  SamplePud standard = Rigged();
  standard.erax = false;
  standard.defaultDataWord = 1;
  AddMap("standard.pud", standard, 2);
  outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kClean);
  EXPECT_EQ(app_.Title(), "Statwarden: standard.pud");
  EXPECT_TRUE(app_.ListLines().empty());
  EXPECT_EQ(app_.CloseByExitCommand(), 0u);
  ExpectCleanTemp('1');
}

TEST_F(ScanTest, NoMapsLeavesTheTitleAndEmptiesTheList) {
  const std::string rigged = AddMap("rigged.pud", Rigged(), 1);
  StartApp();
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  DeleteFileA(rigged.c_str());
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, (MessageBoxSeen{"Error - no puds found", "Scan"}));
  EXPECT_FALSE(outcome.alarm || outcome.happy);
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_TRUE(app_.ListLines().empty());
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

// Hidden and system files and a folder, all newer, are passed over; the S key scans too.
TEST_F(ScanTest, NewestPlainMapIsChosen) {
  AddMap("old.pud", Rigged(), 1);
  AddMap("newest.pud", SamplePud{}, 5);
  SetFileAttributesA(AddMap("hidden.pud", Rigged(), 9).c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(AddMap("system.pud", Rigged(), 9).c_str(), FILE_ATTRIBUTE_SYSTEM);
  const std::string folder = start_ + "\\folder.pud";
  CreateDirectoryA(folder.c_str(), nullptr);
  SetModified(folder, 2024, 3, 9, 12);
  StartApp();
  EXPECT_EQ(Run(kScan, true).box, kClean);
  EXPECT_EQ(app_.Title(), "Statwarden: newest.pud");
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

// A map held open by another program: its error, no verdict, and the program goes on.
TEST_F(ScanTest, UnreadableMapIsReportedAndTheProgramGoesOn) {
  const std::string map = AddMap("downloading.pud", Rigged(), 1);
  HANDLE held = CreateFileA(map.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StartApp();
  Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, (MessageBoxSeen{"File input error", "AnalysePud"}));
  EXPECT_FALSE(outcome.alarm || outcome.happy);
  EXPECT_EQ(app_.DismissMessageBox(1000).text, "");
  EXPECT_EQ(app_.Title(), "Statwarden: downloading.pud");
  EXPECT_TRUE(app_.ListLines().empty());

  CloseHandle(held);
  outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  EXPECT_EQ(app_.CloseByExitCommand(), 0u);
  ExpectCleanTemp('1');
}

TEST_F(ScanTest, SoundOffInTheConfigurationPlaysNoTune) {
  SetSound('0');
  AddMap("rigged.pud", Rigged(), 1);
  StartApp();
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_FALSE(outcome.alarm || outcome.happy);
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  ExpectCleanTemp('0');
}

}  // namespace
