// The dialogs, the help, and the temporary folder the program keeps its files in.
#include "e2e.h"

namespace {

using ShellTest = AppTest;

void SetRegistry(HKEY root, const std::string& key, const char* name, const std::string& value) {
  HKEY handle = nullptr;
  RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
  RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
}

// The About box closes by OK, Enter, Esc and its close box. The sound settings show the setting
// read at start; Esc forgets a change, OK makes it at once for the tunes, and the end keeps it.
// The help shows in the viewer without an error, and the viewer closes with the program.
TEST_F(ShellTest, AboutSoundSettingsAndHelp) {
  SetSound('0');
  AddMap("rigged.pud", kRiggedMap);
  StartApp();
  for (const auto close :
       {+[](HWND box) { SendDlgItemMessageA(box, IDOK, BM_CLICK, 0, 0); },
        +[](HWND box) { PressKey(box, VK_RETURN); }, +[](HWND box) { PressKey(box, VK_ESCAPE); },
        +[](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }}) {
    app_.Command(kAbout);
    HWND box = app_.WaitForDialog("About Statwarden");
    close(box);
    EXPECT_TRUE(box != nullptr && WaitUntilHidden(box));
  }
  for (const bool ok : {false, true}) {
    app_.Command(kSoundSettings);
    HWND dialog = app_.WaitForDialog("Config Statwarden");
    EXPECT_EQ(SendDlgItemMessageA(dialog, kSoundOff, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendDlgItemMessageA(dialog, kSoundOn, BM_CLICK, 0, 0);
    PressKey(dialog, ok ? VK_RETURN : VK_ESCAPE);
    EXPECT_TRUE(WaitUntilHidden(dialog));
    EXPECT_EQ(Run(kScan).alarm, ok);
  }
  app_.Command(kHelp);
  // The About box comes once the help command is over: by then the viewer has taken the file or
  // put up its "ERROR" box.
  ExpectNothingShows();
  EXPECT_TRUE(IsWindowVisible(FindWindowA("MS_WINHELP", nullptr)));
  EXPECT_EQ(FindWindowA(nullptr, "ERROR"), nullptr);
  EXPECT_EQ(app_.Close(), 0u);
  for (int tries = 0; tries < 200 && FindWindowA("MS_WINHELP", nullptr); ++tries) Sleep(25);
  EXPECT_EQ(FindWindowA("MS_WINHELP", nullptr), nullptr);
  ExpectCleanTemp('1');
}

// Two at once, with one temporary folder: each writes support files of its own and deletes only
// those.
TEST_F(ShellTest, TwoAtOnce) {
  SetSound('1');
  AddMap("rigged.pud", kRiggedMap);
  App other;
  ASSERT_TRUE(other.Start(start_, temp_));
  StartApp();
  EXPECT_EQ(FilesIn(temp_).size(), 13u);
  EXPECT_EQ(other.Close(), 0u);
  EXPECT_EQ(FilesIn(temp_).size(), 7u) << "the other took ours or left its own";
  EXPECT_TRUE(Run(kScan).alarm) << "its own tune is still there to play";
  EXPECT_EQ(app_.Close(), 0u);
  ExpectCleanTemp('1');
}

// A temporary folder that is gone: no message, no tune, no help, nothing written anywhere, and
// Scan works all the same.
TEST_F(ShellTest, MissingTemporaryFolder) {
  AddMap("rigged.pud", kRiggedMap);
  const auto listing = [&] {
    return std::vector{FilesIn(kDriverTemp), FilesIn(base_), FilesIn(start_)};
  };
  const auto before = listing();
  ASSERT_TRUE(app_.Start(start_, base_ + "\\gone"));
  ExpectNothingShows();
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_FALSE(outcome.alarm);
  app_.Command(kHelp);
  ExpectNothingShows();
  EXPECT_EQ(app_.Close(), 0u);
  EXPECT_EQ(listing(), before);
}

// A space in the temporary folder's path: the tune starts, not the program named by the part
// before the space, which the command without quotes starts.
TEST_F(ShellTest, SpaceInTheTemporaryFolderStartsOnlyTheTune) {
  const std::string temp = base_ + "\\First Last";
  CreateDirectoryA(temp.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA("C:\\windows\\system32\\notepad.exe", (base_ + "\\First.exe").c_str(), 0));
  AddMap("clean.pud", kCleanMap);
  ASSERT_TRUE(app_.Start(start_, temp));
  EXPECT_TRUE(Run(kScan).happy);
  EXPECT_GT(WinExec((temp + "\\tune.exe").c_str(), SW_HIDE), 31u);
  EXPECT_EQ(Processes("First.exe").size(), 1u) << "started by the program, or not by WinExec";
  for (const DWORD id : Processes("First.exe")) {
    TerminateProcess(OpenProcess(PROCESS_TERMINATE, FALSE, id), 0);
  }
}

// Where the system is Windows 10 or later, Help writes the help page to the temporary folder and
// has the browser open it, with no box. At the end the page is gone, and so is the alarm that
// was still playing when the program closed.
TEST_F(ShellTest, HelpPageOnWindows10) {
  const std::string opened = base_ + "\\opened.txt";
  char htmClass[256] = {};
  LONG classLength = sizeof htmClass;
  RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", htmClass, &classLength);
  SetRegistry(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\statwarden.exe", "Version", "win10");
  SetRegistry(HKEY_CLASSES_ROOT, ".htm", nullptr, "StatwardenTest.Page");
  SetRegistry(HKEY_CLASSES_ROOT, "StatwardenTest.Page\\shell\\open\\command", nullptr,
              "\"" SW_OPEN_RECORDER_EXE "\" \"" + opened + "\" \"%1\"");
  SetSound('1');
  AddMap("rigged.pud", kRiggedMap);
  StartApp();
  app_.Command(kHelp);
  std::string page;
  for (int tries = 0; tries < 400 && page.empty(); ++tries, Sleep(25)) {
    std::ifstream recorded(opened);
    std::getline(recorded, page);
  }
  ExpectNothingShows();
  EXPECT_EQ(page.rfind(temp_ + "\\sw_", 0), 0u) << page;
  std::ostringstream text;
  text << std::ifstream(page).rdbuf();
  std::ifstream source(SW_HELP_SOURCE);
  int topics = 0;
  for (std::string line; std::getline(source, line);) {
    if (line.rfind("= ", 0) != 0) continue;
    ++topics;
    const std::string title = line.substr(line.find("| ") + 2);
    EXPECT_NE(text.str().find(">" + title + "<"), std::string::npos) << title;
  }
  EXPECT_GT(topics, 10);
  app_.Command(kScan);
  EXPECT_TRUE(Await(false).alarm);
  EXPECT_EQ(app_.Close(), 0u);
  ExpectCleanTemp('1');
  SetRegistry(HKEY_CLASSES_ROOT, ".htm", nullptr, htmClass);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "StatwardenTest.Page");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\statwarden.exe");
}

}  // namespace
