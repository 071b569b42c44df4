#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config_file.h"
#include "support_files.h"

namespace {

std::string Contents(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TempFolder() {
  char folder[MAX_PATH];
  return std::string(folder, GetTempPathA(MAX_PATH, folder));
}

// The processes running the program file `name` (no folder).
std::vector<DWORD> ProcessesOf(const std::string& name) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0) found.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return found;
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// Waits for the first process of `name` to appear, then for it to end; its exit code.
DWORD ExitCodeOfStarted(const std::string& name) {
  std::vector<DWORD> started;
  for (int tries = 0; tries < 100 && started.empty(); ++tries, Sleep(20))
    started = ProcessesOf(name);
  if (started.empty()) return STILL_ACTIVE;
  HANDLE process =
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, started.front());
  if (process == nullptr) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return code;
}

struct SupportFile {
  const char* name;
  const char* type;
  const char* prefix;
  const char* extension;
  char* path;
  const char* original;  // the file the build embedded
};

// The three support files, written out as at start-up and deleted as at shut-down.
class SupportFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    HelpPath[0] = HappyPath[0] = AlarmPath[0] = '\0';
    SoundFlag = 1;
  }
  void TearDown() override { DeleteSupportFiles(); }

  static void ExtractAll() {
    ASSERT_TRUE(ExtractResource("swhelp", "HLP", "sw_", ".hlp", HelpPath));
    ASSERT_TRUE(ExtractResource("happy", "EXE", "hpy", ".exe", HappyPath));
    ASSERT_TRUE(ExtractResource("alarm", "EXE", "alm", ".exe", AlarmPath));
  }

  const SupportFile files_[3] = {
      {"swhelp", "HLP", "sw_", ".hlp", HelpPath, SW_HELP_FILE},
      {"happy", "EXE", "hpy", ".exe", HappyPath, SW_HAPPY_EXE},
      {"alarm", "EXE", "alm", ".exe", AlarmPath, SW_ALARM_EXE},
  };
};

TEST_F(SupportFilesTest, WrittenWithTheirPlaceholdersAndDeletedWithTheIndex) {
  ExtractAll();
  std::vector<std::string> written;
  for (const SupportFile& file : files_) {
    const std::string path = file.path;
    const std::string placeholder = path.substr(0, path.size() - 4);
    EXPECT_EQ(path.rfind(TempFolder() + file.prefix, 0), 0u) << path;
    EXPECT_EQ(path.substr(path.size() - 8), std::string(".tmp") + file.extension);
    const std::string original = Contents(file.original);
    ASSERT_FALSE(original.empty()) << file.original;
    EXPECT_EQ(Contents(path), original) << path;
    EXPECT_TRUE(Exists(placeholder));
    EXPECT_EQ(Contents(placeholder), "");
    written.push_back(path);
    written.push_back(placeholder);
  }
  const std::string index = written[1] + ".gid";
  std::ofstream(index) << "help viewer's index";
  written.push_back(index);

  DeleteSupportFiles();
  for (const std::string& path : written) EXPECT_FALSE(Exists(path)) << path;
}

// A program without the resource: no path, and nothing is started or deleted for it.
TEST_F(SupportFilesTest, MissingResourceGivesNoPath) {
  EXPECT_FALSE(ExtractResource("nothere", "EXE", "alm", ".exe", AlarmPath));
  EXPECT_STREQ(AlarmPath, "");
  const std::string stray = ".gid";
  std::ofstream(stray) << "not ours";
  RunAlarmTune();
  DeleteSupportFiles();
  EXPECT_TRUE(Exists(stray));
  DeleteFileA(stray.c_str());
}

TEST_F(SupportFilesTest, EveryExtractionGetsItsOwnName) {
  char other[MAX_PATH] = {};
  ASSERT_TRUE(ExtractResource("happy", "EXE", "hpy", ".exe", HappyPath));
  ASSERT_TRUE(ExtractResource("happy", "EXE", "hpy", ".exe", other));
  EXPECT_STRNE(HappyPath, other);
  DeleteFileA(other);
  other[lstrlenA(other) - 4] = '\0';
  DeleteFileA(other);
}

// Each tune starts at once, plays without an audio device and ends by itself with code 0.
TEST_F(SupportFilesTest, TunesStartAtOnceAndEndByThemselves) {
  ExtractAll();
  for (auto [run, path] : {std::pair{&RunHappyTune, HappyPath}, {&RunAlarmTune, AlarmPath}}) {
    const auto start = std::chrono::steady_clock::now();
    run();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500)) << path;
    EXPECT_EQ(ExitCodeOfStarted(FileName(path)), 0u) << path;
  }
}

TEST_F(SupportFilesTest, SoundOffStartsNoTune) {
  ExtractAll();
  SoundFlag = 0;
  RunAlarmTune();
  RunHappyTune();
  Sleep(300);
  EXPECT_TRUE(ProcessesOf(FileName(AlarmPath)).empty());
  EXPECT_TRUE(ProcessesOf(FileName(HappyPath)).empty());
}

// Kills every process of the program file `name`; how many there were.
std::size_t KillAll(const std::string& name) {
  const std::vector<DWORD> running = ProcessesOf(name);
  for (DWORD id : running) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  return running.size();
}

// A temporary folder with a space in its name must not start the program that stands at the
// part before the space. The decoy there is a program that stays until it is ended.
TEST_F(SupportFilesTest, TuneInAFolderWithASpaceStartsOnlyTheTune) {
  const std::string saved = TempFolder();
  const std::string folder = saved + "First Last\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string decoy = saved + "First.exe";
  ASSERT_TRUE(CopyFileA("C:\\windows\\system32\\notepad.exe", decoy.c_str(), FALSE));
  SetEnvironmentVariableA("TMP", folder.c_str());
  ASSERT_TRUE(ExtractResource("happy", "EXE", "hpy", ".exe", HappyPath));

  // Unquoted, the command would start the decoy.
  WinExec(HappyPath, SW_HIDE);
  Sleep(1000);
  EXPECT_EQ(KillAll("First.exe"), 1u);

  RunHappyTune();
  EXPECT_EQ(ExitCodeOfStarted(FileName(HappyPath)), 0u);
  Sleep(500);
  EXPECT_EQ(KillAll("First.exe"), 0u);

  DeleteSupportFiles();
  SetEnvironmentVariableA("TMP", saved.c_str());
  DeleteFileA(decoy.c_str());
  RemoveDirectoryA(folder.c_str());
}

HWND WaitForHelpViewer() {
  HWND viewer = nullptr;
  for (int tries = 0; tries < 200 && viewer == nullptr; ++tries, Sleep(50)) {
    viewer = FindWindowA("MS_WINHELP", nullptr);
  }
  return viewer;
}

std::string WindowTitle(HWND window) {
  char title[512] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// The help file opens in the help viewer without an error, and quitting closes the viewer.
TEST_F(SupportFilesTest, HelpOpensAndQuits) {
  ExtractAll();
  HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(WinHelpA(owner, HelpPath, HELP_CONTENTS, 0));
  HWND viewer = WaitForHelpViewer();
  ASSERT_NE(viewer, nullptr);
  Sleep(500);
  EXPECT_EQ(FindWindowA(nullptr, "ERROR"), nullptr);

  WinHelpA(owner, HelpPath, HELP_QUIT, 0);
  for (int tries = 0; tries < 100 && viewer != nullptr; ++tries, Sleep(50)) {
    viewer = FindWindowA("MS_WINHELP", nullptr);
  }
  EXPECT_EQ(viewer, nullptr);
  DestroyWindow(owner);
}

// Opened by name, Wine's viewer shows the help's own title first in its caption. (Started
// through WinHelpA it keeps a caption of its own.)
TEST_F(SupportFilesTest, HelpViewerShowsTheHelpTitle) {
  ExtractAll();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION viewerProcess{};
  std::string command = std::string("winhlp32.exe \"") + HelpPath + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &viewerProcess));
  HWND viewer = WaitForHelpViewer();
  ASSERT_NE(viewer, nullptr);
  Sleep(500);
  EXPECT_EQ(WindowTitle(viewer).rfind("Statwarden Help", 0), 0u) << WindowTitle(viewer);
  EXPECT_EQ(FindWindowA(nullptr, "ERROR"), nullptr);
  TerminateProcess(viewerProcess.hProcess, 0);
  WaitForSingleObject(viewerProcess.hProcess, 5000);
  CloseHandle(viewerProcess.hProcess);
  CloseHandle(viewerProcess.hThread);
}

}  // namespace
