#include <chrono>
#include <fstream>

#include "e2e_fixture.h"

namespace {

constexpr char kAutoscanCaption[] = "Autoscan";
const MessageBoxSeen kFailsafe{"Failsafe - maximium timeout reached", "Statwarden"};

class AutoscanTest : public AppTest {
 protected:
  // The tunes are the scan tests' business; without them a scan is over sooner.
  void SetUp() override {
    AppTest::SetUp();
    SetSound('0');
    aside_ = base_ + "\\aside";
    CreateDirectoryA(aside_.c_str(), nullptr);
  }

  // Opens the dialog and waits for its first paint, which is its first check.
  HWND OpenAutoscan() const {
    app_.Command(kAutoscan);
    HWND dialog = app_.WaitForDialog(kAutoscanCaption);
    for (int tries = 0; tries < 100 && GetUpdateRect(dialog, nullptr, FALSE); ++tries) Sleep(20);
    return dialog;
  }

  // Puts a map into the start folder in one step, its attributes already set: a check never
  // sees it half made.
  void MoveIn(const std::string& name, const SamplePud& map, DWORD attributes) const {
    const std::string made = aside_ + "\\" + name;
    WriteMap(made, map, 9);
    SetFileAttributesA(made.c_str(), attributes);
    MoveFileA(made.c_str(), (start_ + "\\" + name).c_str());
  }

  std::string aside_;
};

struct Trigger {
  const char* name;
  void (*check)(HWND dialog);
};

// A map that arrives is seen at the next check, whether the timer or a repaint runs it.
TEST_F(AutoscanTest, ArrivingMapStartsTheScan) {
  const Trigger triggers[] = {
      {"timer", [](HWND dialog) { PostMessageA(dialog, WM_TIMER, 1, 0); }},
      {"repaint",
       [](HWND dialog) { RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE); }},
  };
  AddMap("clean.pud", SamplePud{}, 1);
  StartApp();
  WORD day = 2;
  for (const Trigger& trigger : triggers) {
    SCOPED_TRACE(trigger.name);
    HWND dialog = OpenAutoscan();
    ASSERT_NE(dialog, nullptr);
    const std::string name = std::string("arrived by ") + trigger.name + ".pud";
    AddMap(name, Rigged(), day++);
    trigger.check(dialog);
    // Well before the timer's first tick.
    EXPECT_TRUE(WaitUntilHidden(dialog, 3000));
    EXPECT_EQ(Await().box, kDiscrepancies);
    EXPECT_EQ(app_.Title(), "Statwarden: " + name);
    EXPECT_EQ(app_.ListLines(), kRiggedLines);
  }
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  ExpectCleanTemp('0');
}

TEST_F(AutoscanTest, TimerChecksEveryTenSeconds) {
  AddMap("clean.pud", SamplePud{}, 1);
  StartApp();
  const auto asked = std::chrono::steady_clock::now();
  HWND dialog = OpenAutoscan();
  ASSERT_NE(dialog, nullptr);
  AddMap("arrived.pud", Rigged(), 2);
  ASSERT_TRUE(WaitUntilHidden(dialog, 20000));
  EXPECT_GE(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(9800));
  EXPECT_EQ(Await().box, kDiscrepancies);
  EXPECT_EQ(app_.Title(), "Statwarden: arrived.pud");
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

// Hidden and system maps, folders and maps still at 0 bytes leave the count alone; the empty map
// counts once it has content.
TEST_F(AutoscanTest, OnlyPlainMapsWithContentCount) {
  struct Entry {
    const char* name;
    DWORD attributes;
  };
  const Entry ignored[] = {{"hidden.pud", FILE_ATTRIBUTE_HIDDEN},
                           {"system.pud", FILE_ATTRIBUTE_SYSTEM},
                           {"both.pud", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}};
  AddMap("clean.pud", SamplePud{}, 1);
  StartApp();
  HWND dialog = OpenAutoscan();
  ASSERT_NE(dialog, nullptr);
  for (const Entry& entry : ignored) {
    SCOPED_TRACE(entry.name);
    MoveIn(entry.name, Rigged(), entry.attributes);
    Tick(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog));
  }
  CreateDirectoryA((start_ + "\\folder.pud").c_str(), nullptr);
  Tick(dialog);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "a folder";
  const std::string arriving = start_ + "\\arriving.pud";
  std::ofstream(arriving, std::ios::binary).close();
  Tick(dialog);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "a map at 0 bytes";

  WriteMap(arriving, Rigged(), 2);
  Tick(dialog);
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(Await().box, kDiscrepancies);
  EXPECT_EQ(app_.Title(), "Statwarden: arriving.pud");
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

// A map that goes, or is emptied, changes the count as much as one that comes.
TEST_F(AutoscanTest, MapThatGoesStartsTheScan) {
  struct Removal {
    const char* name;
    void (*remove)(const std::string& path);
  };
  const Removal removals[] = {
      {"deleted", [](const std::string& path) { DeleteFileA(path.c_str()); }},
      {"emptied",
       [](const std::string& path) {
         std::ofstream(path, std::ios::binary).close();
         SetModified(path, 2024, 3, 1, 12);
       }},
  };
  const std::string gone[] = {AddMap("first.pud", SamplePud{}, 1),
                              AddMap("second.pud", SamplePud{}, 2)};
  AddMap("rigged.pud", Rigged(), 3);
  StartApp();
  for (std::size_t i = 0; i < std::size(removals); ++i) {
    SCOPED_TRACE(removals[i].name);
    HWND dialog = OpenAutoscan();
    ASSERT_NE(dialog, nullptr);
    Tick(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "nothing changed yet";
    removals[i].remove(gone[i]);
    Tick(dialog);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(Await().box, kDiscrepancies);
    EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  }
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

// With nothing new, the watch gives up after 31 checks, the first of them the paint as the
// dialog shows; a new watch starts counting afresh.
TEST_F(AutoscanTest, FailsafeEndsALongWatch) {
  AddMap("clean.pud", SamplePud{}, 1);
  StartApp();
  HWND dialog = OpenAutoscan();
  ASSERT_NE(dialog, nullptr);
  int ticks = 0;
  for (; ticks < 40 && IsWindowVisible(dialog); ++ticks) Tick(dialog);
  EXPECT_EQ(ticks, 30);
  HWND box = nullptr;
  for (int tries = 0; tries < 200 && box == nullptr; ++tries, Sleep(25)) {
    box = app_.FindMessageBox();
  }
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog)) << "the watch is over before the box shows";
  EXPECT_EQ(app_.Dismiss(box), kFailsafe);
  ExpectNothingShows();
  EXPECT_EQ(app_.Title(), "Statwarden");

  dialog = OpenAutoscan();
  ASSERT_NE(dialog, nullptr);
  Tick(dialog);
  EXPECT_TRUE(IsWindowVisible(dialog));
  SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntilHidden(dialog));
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

TEST_F(AutoscanTest, CancelEmptiesTheListAndKeepsTheTitle) {
  AddMap("rigged.pud", Rigged(), 1);
  StartApp();
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  HWND dialog = OpenAutoscan();
  ASSERT_NE(dialog, nullptr);
  SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntilHidden(dialog));
  EXPECT_TRUE(app_.ListLines().empty());
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  ExpectNothingShows();
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

}  // namespace
