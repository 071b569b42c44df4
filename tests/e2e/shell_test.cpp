// The dialogs, the help, and the temporary folder the program keeps its files in.
#include "e2e.h"

namespace {

using ShellTest = AppTest;

// Two at once each delete only their own support files. The About box closes every way; the sound
// setting read at start changes by OK only, at once; the help viewer shows and ends with it.
TEST_F(ShellTest, TwoAtOnceDialogsAndHelp) {
  WriteMap(start_ / "rigged.pud", kRiggedMap);
  App other;
  ASSERT_TRUE(other.Start(start_, temp_));
  StartApp('0');
  EXPECT_EQ(FilesIn(temp_).size(), 13u);
  EXPECT_EQ(other.Close(), 0u);
  EXPECT_EQ(FilesIn(temp_).size(), 7u) << "the other took ours or left its own";
  ExpectOnlyAbout();
  ExpectOnlyAbout(WM_KEYDOWN, VK_RETURN);
  ExpectOnlyAbout(WM_KEYDOWN, VK_ESCAPE);
  ExpectOnlyAbout(WM_SYSCOMMAND, SC_CLOSE);
  for (const bool ok : {false, true}) {
    app_.Command(kSoundSettings);
    HWND dialog = app_.WaitForDialog("Config Statwarden");
    EXPECT_EQ(SendDlgItemMessageA(dialog, kSoundOff, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendDlgItemMessageA(dialog, kSoundOn, BM_CLICK, 0, 0);
    PostMessageA(dialog, WM_KEYDOWN, ok ? VK_RETURN : VK_ESCAPE, 1);
    EXPECT_TRUE(WaitUntilHidden(dialog));
    EXPECT_EQ(Run(kScan).alarm, ok);
  }
  app_.Command(kHelp);
  // The About box comes after the help command, when the viewer has the file or its "ERROR" box.
  ExpectOnlyAbout();
  EXPECT_TRUE(IsWindowVisible(FindWindowA("MS_WINHELP", nullptr)));
  EXPECT_EQ(FindWindowA(nullptr, "ERROR"), nullptr);
  EXPECT_EQ(app_.Close(), 0u);
  EXPECT_TRUE(WaitFor([] { return !FindWindowA("MS_WINHELP", nullptr); }));
  ExpectCleanTemp();
}

// A temporary folder that is gone: Scan works, with no box, tune, help or file. A space in its path
// starts no program named by what comes before the space, as a command without quotes would.
TEST_F(ShellTest, MissingOrSpacedTemporaryFolder) {
  WriteMap(start_ / "rigged.pud", kRiggedMap);
  const auto before = FilesIn(kDriverTemp);
  ASSERT_TRUE(app_.Start(start_, base_ + "\\gone"));
  ExpectOnlyAbout();
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_FALSE(outcome.alarm);
  app_.Command(kHelp);
  ExpectOnlyAbout();
  EXPECT_EQ(app_.Close(), 0u);
  EXPECT_EQ(FilesIn(kDriverTemp), before);

  ASSERT_TRUE(CopyFileA("C:\\windows\\system32\\notepad.exe", (base_ + "\\temp.exe").c_str(), 0));
  WriteMap(start_ / "clean.pud", kCleanMap, 2);
  app_.End();
  StartApp();
  EXPECT_TRUE(Run(kScan).happy);
  EXPECT_GT(WinExec((temp_ / "tune.exe").string().c_str(), SW_HIDE), 31u);
  EXPECT_EQ(Processes("temp.exe").size(), 1u) << "started by the program, or not by WinExec";
  for (const DWORD id : Processes("temp.exe"))
    TerminateProcess(OpenProcess(PROCESS_TERMINATE, FALSE, id), 0);
}

void SetRegistry(HKEY root, const char* key, const char* name, const std::string& value) {
  RegSetKeyValueA(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

// On Windows 10 or later Help writes the help page, with every topic, to the temporary folder and
// has the browser open it, with no box. The end removes it, and the alarm still playing.
TEST_F(ShellTest, HelpPageOnWindows10) {
  const std::string opened = base_ + "\\opened.txt";
  char htmClass[256] = {};
  LONG classLength = sizeof htmClass;
  RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", htmClass, &classLength);
  SetRegistry(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\statwarden.exe", "Version", "win10");
  SetRegistry(HKEY_CLASSES_ROOT, ".htm", nullptr, "StatwardenTest.Page");
  SetRegistry(HKEY_CLASSES_ROOT, "StatwardenTest.Page\\shell\\open\\command", nullptr,
              "\"" SW_OPEN_RECORDER_EXE "\" \"" + opened + "\" \"%1\"");
  WriteMap(start_ / "rigged.pud", kRiggedMap);
  StartApp('1');
  app_.Command(kHelp);
  std::string page;
  WaitFor([&] { return !(page = Contents(opened)).empty(); });
  ExpectOnlyAbout();
  EXPECT_EQ(page.rfind((temp_ / "sw_").string(), 0), 0u) << page;
  const std::string text = Contents(std::u8string(page.begin(), page.end()));
  std::ifstream source(SW_HELP_SOURCE);
  int topics = 0;
  for (std::string line; std::getline(source, line);) {
    if (line.rfind("= ", 0) != 0) continue;
    ++topics;
    const std::string title = line.substr(line.find("| ") + 2);
    EXPECT_NE(text.find(">" + title + "<"), std::string::npos) << title;
  }
  EXPECT_GT(topics, 10);
  EXPECT_TRUE(Run(kScan, false).alarm);
  EXPECT_EQ(app_.Close(), 0u);
  ExpectCleanTemp();
  SetRegistry(HKEY_CLASSES_ROOT, ".htm", nullptr, htmClass);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "StatwardenTest.Page");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\statwarden.exe");
}

}  // namespace
