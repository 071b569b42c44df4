// Scan, Autoscan and File, Open: the map each chooses, its report, its verdict and its tune.
#include "e2e.h"
#include "sample_pud.h"

namespace {

using ScanTest = AppTest;

// Opens the Autoscan dialog and waits for its first check, the paint as it shows.
HWND OpenAutoscan(const App& app) {
  app.Command(kAutoscan);
  HWND dialog = app.WaitForDialog("Autoscan");
  for (int tries = 0; tries < 100 && GetUpdateRect(dialog, nullptr, FALSE); ++tries) Sleep(20);
  return dialog;
}

// Hidden and system maps and a folder, all newer, are passed over. The map held open by another
// program, as while it downloads, gives its error, no verdict and no list, and the program goes
// on. Once read, it is listed, and the alarm plays while the verdict shows; so too under a name
// the ANSI code page cannot spell.
TEST_F(ScanTest, RiggedMapWithTheAlarm) {
  AddMap("hidden.pud", kRiggedMap, 9, FILE_ATTRIBUTE_HIDDEN);
  AddMap("system.pud", kRiggedMap, 9, FILE_ATTRIBUTE_SYSTEM);
  CreateDirectoryA((start_ + "\\folder.pud").c_str(), nullptr);
  StartApp();
  EXPECT_EQ(Run(kScan).box, Box("Error - no puds found", "Scan"));
  const std::string map = AddMap("rigged.pud", kRiggedMap, 1);
  HANDLE held = CreateFileA(map.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kFileInputError);
  EXPECT_FALSE(outcome.alarm || outcome.happy);
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_TRUE(app_.ListLines().empty());

  CloseHandle(held);
  PressKey(app_.window, 'S');
  outcome = Await();
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_TRUE(outcome.alarm && !outcome.happy);
  const auto russian = std::filesystem::path(start_) / L"\u041A\u0440\u0435\u043F\u043E.pud";
  std::filesystem::rename(map, russian);
  EXPECT_EQ(Run(kScan).box, kDiscrepancies) << "a name the ANSI code page cannot spell";
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  EXPECT_EQ(app_.Close(), 0u);
  ExpectCleanTemp('1');
}

// The Delete key opens the dialog; Cancel changes nothing. A map chosen in another folder, on
// this drive or another, is read there; Scan and Autoscan afterwards go back to the start folder.
TEST_F(ScanTest, OpenMapInAnotherFolder) {
  SetSound('0');
  AddMap("rigged.pud", kRiggedMap);
  StartApp();
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  PressKey(app_.window, VK_DELETE);
  PostMessageA(app_.WaitForDialog("Open"), WM_COMMAND, IDCANCEL, 0);
  ExpectNothingShows();
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_EQ(app_.ListLines(), kRiggedLines);

  const std::string away[] = {base_ + "\\far", "Z:\\tmp\\" + base_.substr(base_.rfind('\\') + 1)};
  for (const std::string& folder : away) {
    const bool autoscan = folder == away[1];
    std::filesystem::create_directories(folder);
    WriteMap(folder + "\\far away.pud", kCleanMap, 9);
    ASSERT_TRUE(app_.OpenFile(folder + "\\far away.pud"));
    EXPECT_EQ(Await().box, kClean);
    EXPECT_EQ(app_.Title(), "Statwarden: far away.pud");
    EXPECT_TRUE(app_.ListLines().empty());
    if (autoscan) {
      HWND dialog = OpenAutoscan(app_);
      WriteMap(folder + "\\elsewhere.pud", kRiggedMap, 2);
      Tick(dialog);
      EXPECT_TRUE(IsWindowVisible(dialog)) << "a map in the other folder";
      AddMap("arrived.pud", kRiggedMap, 2);
      Tick(dialog);
    } else {
      app_.Command(kScan);
    }
    EXPECT_EQ(Await().box, kDiscrepancies);
    EXPECT_EQ(app_.Title(), autoscan ? "Statwarden: arrived.pud" : "Statwarden: rigged.pud");
  }
  std::filesystem::remove_all(away[1]);
}

// The newest map has a name the ANSI code page cannot spell and its unit data after a section
// moved before it: Scan takes that map, and reads the unit data where it stands.
TEST_F(ScanTest, AnyNameAnyLayout) {
  SetSound('0');
  AddMap("older.pud", kCleanMap);
  std::ifstream real(SW_MAPS_DIR "\\Mountain Pass BNE CW.pud", std::ios::binary);
  const Bytes moved = MoveSection(Bytes(std::istreambuf_iterator<char>(real), {}), "SGLD", "UDTA");
  const std::wstring name =
      L"\u0413\u043e\u0440\u043d\u044b\u0439 \u043f\u0435\u0440\u0435\u0432\u0430\u043b.pud";
  std::ofstream(std::filesystem::path(start_) / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(moved.data()),
             static_cast<std::streamsize>(moved.size()));
  StartApp();
  EXPECT_EQ(Run(kScan).box, kDiscrepancies);
  wchar_t title[64] = {};
  GetWindowTextW(app_.window, title, 64);
  EXPECT_EQ(title, L"Statwarden: " + name);
  EXPECT_EQ(app_.ListLines(),
            (std::vector<std::string>{" ", "Unit Basic attack change:-", "daemon\t\t\t9\t66", " ",
                                      "Unit Piercing Damage change:-", "daemon\t\t\t1\t66", " ",
                                      "Hit Points change:-", "daemon\t\t\t60\t6666"}));
}

TEST_F(ScanTest, AutoscanTimerChecksEveryTenSeconds) {
  SetSound('0');
  StartApp();
  const DWORD asked = GetTickCount();
  HWND dialog = OpenAutoscan(app_);
  AddMap("arrived.pud", kRiggedMap, 2);
  while (IsWindowVisible(dialog) && GetTickCount() - asked < 20000) Sleep(50);
  EXPECT_GE(GetTickCount() - asked, 9800u);
  EXPECT_EQ(Await().box, kDiscrepancies);
}

// Hidden and system maps, a folder and a map still at 0 bytes leave Autoscan's count alone; a
// map that is emptied changes it as much as one that comes. The Scan then takes the newest map.
TEST_F(ScanTest, AutoscanCountsPlainMapsWithContent) {
  SetSound('0');
  const std::string clean = AddMap("clean.pud", kCleanMap, 1);
  AddMap("rigged.pud", kRiggedMap, 3);
  StartApp();
  HWND dialog = OpenAutoscan(app_);
  AddMap("hidden.pud", kRiggedMap, 2, FILE_ATTRIBUTE_HIDDEN);
  AddMap("system.pud", kRiggedMap, 2, FILE_ATTRIBUTE_SYSTEM);
  AddMap("arriving.pud", {}, 2);
  CreateDirectoryA((start_ + "\\folder.pud").c_str(), nullptr);
  Tick(dialog);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "counted what does not count";
  WriteMap(clean, {}, 1);
  Tick(dialog);
  EXPECT_EQ(Await().box, kDiscrepancies);
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
}

// With nothing new Autoscan gives up after 31 checks, the first of them the paint as the dialog
// shows, and leaves the list as it was. A new watch counts afresh; Cancel empties the list.
TEST_F(ScanTest, AutoscanFailsafeAndCancel) {
  SetSound('0');
  AddMap("rigged.pud", kRiggedMap, 1);
  StartApp();
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  HWND dialog = OpenAutoscan(app_);
  int ticks = 0;
  for (; ticks < 40 && IsWindowVisible(dialog); ++ticks) Tick(dialog);
  EXPECT_EQ(ticks, 30);
  EXPECT_EQ(Await().box, Box("Failsafe - maximium timeout reached", "Statwarden"));
  ExpectNothingShows();
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  SendDlgItemMessageA(OpenAutoscan(app_), IDCANCEL, BM_CLICK, 0, 0);
  ExpectNothingShows();
  EXPECT_TRUE(app_.ListLines().empty());
}

}  // namespace
