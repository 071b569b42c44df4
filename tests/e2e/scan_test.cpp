// Scan, Autoscan and File, Open: the map each chooses, its report, its verdict and its tune.
#include "e2e.h"

namespace {

using ScanTest = AppTest;

// Opens the Autoscan dialog and waits for its first check, the paint as it shows.
HWND OpenAutoscan(const App& app) {
  app.Command(kAutoscan);
  HWND dialog = app.WaitForDialog("Autoscan");
  WaitFor([=] { return !GetUpdateRect(dialog, nullptr, FALSE); });
  return dialog;
}

Bytes RealMap(const char* name) {
  const std::string map = Contents(std::string(SW_MAPS_DIR "\\") + name);
  return Bytes(map.begin(), map.end());
}

// Scan skips hidden and system maps and folders and names a map held open unreadable. Show map
// says so of a map without land, and of one gone since.
TEST_F(ScanTest, NewestPlainMapReadAndReported) {
  WriteMap(start_ / "hidden.pud", kRiggedMap, 9, FILE_ATTRIBUTE_HIDDEN);
  WriteMap(start_ / "system.pud", kRiggedMap, 9, FILE_ATTRIBUTE_SYSTEM);
  std::filesystem::create_directory(start_ / "folder.pud");
  StartApp();
  EXPECT_EQ(Run(kScan).box, Box("Error - no puds found", "Scan"));
  const auto map = WriteMap(start_ / "rigged.pud", kRiggedMap);
  HANDLE held = CreateFileW(map.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, Box("File input error", "AnalysePud"));
  EXPECT_FALSE(outcome.alarm || outcome.happy);
  EXPECT_EQ(WindowText(app_.window), "Statwarden: rigged.pud");
  EXPECT_TRUE(app_.ListLines().empty());
  CloseHandle(held);
  PostMessageA(app_.window, WM_KEYDOWN, 'S', 1);
  outcome = Run();
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_TRUE(outcome.alarm && !outcome.happy);
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  PostMessageA(app_.window, WM_KEYDOWN, 'M', 1);
  EXPECT_EQ(Run().box,
            Box("No picture: the map does not give its size, tiles and movement", "Show map"));
  std::filesystem::remove(map);
  PostMessageA(app_.window, WM_KEYDOWN, 'M', 1);
  EXPECT_EQ(Run().box, Box("The map can no longer be read.", "Show map"));
  EXPECT_EQ(app_.Close(), 0u);
  ExpectCleanTemp();
}

// Delete opens the dialog and Cancel changes nothing. A map in another folder, by a name beyond
// the ANSI code page, is read there: dropped on the window with another (the first counts), or
// chosen with File, Open on another drive; Scan and Autoscan afterwards go back to the start
// folder, whose name is beyond that code page too.
TEST_F(ScanTest, OpenMapInAnotherFolder) {
  WriteMap(start_ / "rigged.pud", kRiggedMap);
  StartApp('0');
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  PostMessageA(app_.window, WM_KEYDOWN, VK_DELETE, 1);
  HWND cancelled = app_.WaitForDialog("Open");
  ASSERT_NE(cancelled, nullptr) << "the Delete key";
  PostMessageA(cancelled, WM_COMMAND, IDCANCEL, 0);
  ExpectOnlyAbout();
  EXPECT_EQ(WindowText(app_.window), "Statwarden: rigged.pud");
  EXPECT_EQ(app_.ListLines(), kRiggedLines);

  const std::string away[] = {"Z:\\tmp\\" + base_.substr(base_.rfind('\\') + 1), base_ + "\\far"};
  const std::wstring name = L"\u0434\u0430\u043b\u0451\u043a\u0430\u044f map.pud";
  for (const std::string& folder : away) {
    const std::filesystem::path path = std::filesystem::path(folder) / name;
    std::filesystem::create_directories(folder);
    WriteMap(path, kCleanMap, 9);
    const bool drop = folder == away[1];
    if (drop) {
      EXPECT_TRUE(GetWindowLongA(app_.window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
      const auto rigged = WriteMap(folder + "\\rigged.pud", kRiggedMap);
      if (!app_.Drop(path.wstring() + L'\0' + rigged.wstring() + L'\0'))
        GTEST_SKIP() << "no drop: this Wine cannot write into another process";
    } else {
      app_.Command(kOpen);
      HWND open = app_.WaitForDialog("Open");
      // The file-name field is an Edit in a ComboBox in a ComboBoxEx32, all with this identifier.
      HWND field = GetDlgItem(GetDlgItem(GetDlgItem(open, 0x47C), 0x47C), 0x47C);
      SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
      PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      ASSERT_TRUE(WaitUntilHidden(open));
    }
    EXPECT_EQ(Run().box, Box("No unit specials found", "Statwarden"));
    EXPECT_EQ(WideWindowText(app_.window), L"Statwarden: " + name);
    EXPECT_TRUE(app_.ListLines().empty());
    if (drop) {
      EXPECT_EQ(Run(kScan).box, kDiscrepancies);
      EXPECT_EQ(WindowText(app_.window), "Statwarden: arrived.pud");
      continue;
    }
    HWND dialog = OpenAutoscan(app_);
    WriteMap(folder + "\\elsewhere.pud", kRiggedMap, 2);
    Tick(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "a map in the other folder";
    WriteMap(start_ / "arrived.pud", kRiggedMap, 2);
    Tick(dialog);
    EXPECT_EQ(Run().box, kDiscrepancies);
    EXPECT_EQ(WindowText(app_.window), "Statwarden: arrived.pud");
    std::filesystem::remove_all(folder);
  }
}

// Check every field: off, a map whose changes lie beyond the seven statistics is clean; on, its
// fields' lines and the warning; kept in the configuration file across a restart, with the menu's
// check mark, and no change twice in a map with changes in both (named beyond the ANSI code page,
// its unit data after a moved section); off, the file as before. Show map, grayed until then, shows
// that map whole at the largest whole scale the work area allows, with what each start reaches as
// the checker finds it.
TEST_F(ScanTest, EveryField) {
  WriteMap(start_ / "War.pud", RealMap("War.pud"));
  StartApp('0');
  EXPECT_EQ(Run(kScan).box, Box("No unit specials found", "Statwarden"));
  EXPECT_TRUE(app_.ListLines().empty());
  const std::vector<COLORREF> unchecked = app_.Menu('c');
  app_.Command(kEveryField);
  EXPECT_EQ(Run(kScan).box, kDiscrepancies);
  EXPECT_EQ(app_.ListLines(), CheckedLines("War.pud"));
  EXPECT_EQ(app_.Close(), 0u);
  EXPECT_EQ(Contents(temp_ / "sw_config.cfg"), "\r\n[SOUND] 0\r\n[ALLFIELDS] 1\r\n\r\n");

  ASSERT_TRUE(app_.Start(start_, temp_));
  EXPECT_TRUE(app_.Menu('c') != unchecked) << "no check mark";
  const std::vector<COLORREF> unanalysed = app_.Menu('f');
  const std::wstring name = L"\u041f\u0435\u0440\u0435\u0432\u0430\u043b 2.pud";
  WriteMap(start_ / name, MoveSection(RealMap("Mountain Pass BNE CW.pud"), "SGLD", "UDTA"), 2);
  EXPECT_EQ(Run(kScan).box, kDiscrepancies);
  EXPECT_EQ(WideWindowText(app_.window), L"Statwarden: " + name);
  const std::vector<std::string> checked = CheckedLines("Mountain Pass BNE CW.pud");
  EXPECT_EQ(app_.ListLines(), checked);
  EXPECT_TRUE(app_.Menu('f') != unanalysed) << "Show map alike before and after a map is checked";
  PostMessageA(app_.window, WM_KEYDOWN, 'M', 1);
  HWND map = app_.WaitForDialog();
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(WideWindowText(map), L"Map of " + name);
  RECT picture, box, work;
  GetClientRect(GetDlgItem(map, kMapPicture), &picture);
  GetWindowRect(map, &box);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  // 128 tiles of two pixels each way, a whole number of times; once more would not fit.
  constexpr LONG kSide = 256;
  EXPECT_TRUE(picture.right == picture.bottom && picture.right > 0 && picture.right % kSide == 0);
  EXPECT_TRUE(box.left >= work.left && box.top >= work.top && box.right <= work.right &&
              box.bottom <= work.bottom);
  EXPECT_TRUE(box.right - box.left + kSide > work.right - work.left ||
              box.bottom - box.top + kSide > work.bottom - work.top);
  EXPECT_EQ(ListLines(GetDlgItem(map, kMapStarts)),
            (std::vector<std::string>{
                "\tHome mine\t\tWithin 12\tWithin 20", "Player\tgold\tdistance\tgold\trescuable",
                "Red\t40000\t72\t0\t0", "Blue\t40000\t3\t40000\t0", "Green\t40000\t3\t40000\t0",
                "Violet\t40000\t3\t40000\t0", "Orange\t40000\t2\t40000\t0"}));
  SendDlgItemMessageA(map, IDOK, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntilHidden(map));
  app_.Command(kEveryField);
  EXPECT_TRUE(app_.Menu('c') == unchecked) << "a check mark while off";
  // Off, the seven statistics' lines only, which come first: neither other fields nor starts.
  EXPECT_EQ(Run(kScan).box, kDiscrepancies);
  EXPECT_EQ(app_.ListLines(), std::vector(checked.begin(), checked.begin() + 9));
  EXPECT_EQ(app_.Close(), 0u);
  EXPECT_EQ(Contents(temp_ / "sw_config.cfg"), "\r\n[SOUND] 0\r\n\r\n");
}

// Autoscan gives up after 31 checks, the list kept; a new watch counts afresh, skips what Scan
// skips and empty maps, and checks every ten seconds. Cancel empties the list.
TEST_F(ScanTest, Autoscan) {
  const auto clean = WriteMap(start_ / "clean.pud", kCleanMap, 1);
  WriteMap(start_ / "rigged.pud", kRiggedMap, 3);
  StartApp('0');
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  HWND dialog = OpenAutoscan(app_);
  int ticks = 0;
  for (; ticks < 40 && IsWindowVisible(dialog); ++ticks) Tick(dialog);
  EXPECT_EQ(ticks, 30);
  EXPECT_EQ(Run().box, Box("Failsafe - maximium timeout reached", "Statwarden"));
  ExpectOnlyAbout();
  EXPECT_EQ(app_.ListLines(), kRiggedLines);

  const DWORD asked = GetTickCount();
  dialog = OpenAutoscan(app_);
  WriteMap(start_ / "hidden.pud", kRiggedMap, 2, FILE_ATTRIBUTE_HIDDEN);
  WriteMap(start_ / "system.pud", kRiggedMap, 2, FILE_ATTRIBUTE_SYSTEM);
  WriteMap(start_ / "arriving.pud", {}, 2);
  std::filesystem::create_directory(start_ / "folder.pud");
  Tick(dialog);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "counted what does not count";
  WriteMap(clean, {}, 1);
  EXPECT_TRUE(WaitFor([=] { return !IsWindowVisible(dialog); }, 20000));
  EXPECT_GE(GetTickCount() - asked, 9800u);
  EXPECT_EQ(Run().box, kDiscrepancies);
  EXPECT_EQ(WindowText(app_.window), "Statwarden: rigged.pud");
  SendDlgItemMessageA(OpenAutoscan(app_), IDCANCEL, BM_CLICK, 0, 0);
  ExpectOnlyAbout();
  EXPECT_TRUE(app_.ListLines().empty());
}

}  // namespace
