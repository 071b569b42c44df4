// Drives the real statwarden.exe from another process, each test with a start folder and a
// temporary folder of its own: commands and keys in; title, list, boxes and tunes out.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Command identifiers, as the menu, the keys and the buttons send them; the sound radio buttons.
constexpr WORD kOpen = 102, kSoundSettings = 111, kHelp = 112, kAbout = 113, kScan = 220,
               kAutoscan = 230, kSoundOn = 102, kSoundOff = 103;

using Box = std::pair<std::string, std::string>;  // a message box's text and caption
extern const Box kDiscrepancies, kClean, kFileInputError;
using Bytes = std::vector<std::uint8_t>;
// A map with three changed statistics, listed as kRiggedLines, and one with none.
extern const Bytes kRiggedMap, kCleanMap;
extern const std::vector<std::string> kRiggedLines;
// This program's own temporary folder, which holds each test's folders.
extern const std::string kDriverTemp;

inline std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline void PressKey(HWND window, int key) {
  PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
}

inline bool WaitUntilHidden(HWND window) {
  for (int tries = 0; tries < 250 && IsWindowVisible(window); ++tries) Sleep(20);
  return !IsWindowVisible(window);
}

// Runs the Autoscan dialog's check at once, as its timer would, and waits until it has run or the
// dialog has ended: a button press posted behind the tick shows when the tick is through.
inline void Tick(HWND dialog) {
  PostMessageA(dialog, WM_TIMER, 1, 0);
  HWND cancel = GetDlgItem(dialog, IDCANCEL);
  PostMessageA(cancel, BM_SETSTATE, TRUE, 0);
  for (int tries = 0; tries < 500 && IsWindowVisible(dialog); ++tries, Sleep(10)) {
    if (SendMessageA(cancel, BM_GETSTATE, 0, 0) & BST_PUSHED) {
      SendMessageA(cancel, BM_SETSTATE, FALSE, 0);
      return;
    }
  }
}

// The running processes whose program file begins with `prefix`.
inline std::vector<DWORD> Processes(const std::string& prefix) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (_strnicmp(entry.szExeFile, prefix.c_str(), prefix.size()) == 0) {
      found.push_back(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return found;
}

inline std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Writes a file last written 40 - `day` days ago: the later the day, the newer
// the file.
void WriteMap(const std::string& path, const Bytes& bytes, WORD day, DWORD attributes = 0);

struct App {
  // Starts statwarden.exe in `startFolder` with `tempFolder` as its temporary folder (ending the
  // one started before); false when its window does not show.
  bool Start(const std::string& startFolder, const std::string& tempFolder);
  void End() {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    process = {};
    window = nullptr;
  }
  ~App() { End(); }
  void Command(WORD id) const { PostMessageA(window, WM_COMMAND, id, 0); }
  std::string Title() const { return WindowText(window); }
  std::vector<std::string> ListLines() const;
  // The visible dialogs and message boxes the main window owns.
  std::vector<HWND> Dialogs() const {
    std::vector<HWND> dialogs;
    for (HWND top = nullptr; (top = FindWindowExA(nullptr, top, "#32770", nullptr));) {
      if (IsWindowVisible(top) && GetWindow(top, GW_OWNER) == window) dialogs.push_back(top);
    }
    return dialogs;
  }
  HWND WaitForDialog(const std::string& caption) const {
    for (int tries = 0; tries < 400; ++tries, Sleep(25)) {
      for (HWND dialog : Dialogs()) {
        if (WindowText(dialog) == caption) return dialog;
      }
    }
    return nullptr;
  }
  // Types `path` into the dialog of File, Open and presses Open; true once the dialog has gone.
  bool OpenFile(const std::string& path) const {
    Command(kOpen);
    HWND dialog = WaitForDialog("Open");
    // The file-name field is an Edit in a ComboBox in a ComboBoxEx32, all with this identifier.
    HWND field = GetDlgItem(GetDlgItem(GetDlgItem(dialog, 0x47C), 0x47C), 0x47C);
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return dialog != nullptr && WaitUntilHidden(dialog);
  }
  // The exit code once closed, or STILL_ACTIVE.
  DWORD Close() {
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }

  PROCESS_INFORMATION process{};
  HWND window = nullptr;
};

// What one command showed: its message box and the tunes that ran.
struct Outcome {
  Box box;
  bool alarm = false, happy = false;
};

class AppTest : public testing::Test {
 protected:
  void SetUp() override {
    base_ = kDriverTemp + testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(base_);
    std::filesystem::create_directories(start_ = base_ + "\\maps");
    std::filesystem::create_directories(temp_ = base_ + "\\temp");
  }
  void TearDown() override {
    app_.End();
    std::filesystem::remove_all(base_);
  }
  // A map in the start folder; its path.
  std::string AddMap(const std::string& name, const Bytes& bytes, WORD day = 1,
                     DWORD attributes = 0) const {
    WriteMap(start_ + "\\" + name, bytes, day, attributes);
    return start_ + "\\" + name;
  }
  void SetSound(char digit) const {
    std::ofstream(temp_ + "\\sw_config.cfg") << "\n[SOUND] " << digit << "\n\n";
  }
  void StartApp() { ASSERT_TRUE(app_.Start(start_, temp_)); }
  Outcome Run(WORD command) {
    app_.Command(command);
    return Await();
  }
  // Notes the tunes that run while the box that comes shows, presses OK, waits for the tunes
  // unless told not to.
  Outcome Await(bool untilTunesEnd = true);
  // Nothing shows now and nothing comes of what was sent before: the About box, asked for now,
  // is the one window the program shows. Closes it again.
  void ExpectNothingShows() const {
    app_.Command(kAbout);
    HWND about = app_.WaitForDialog("About Statwarden");
    EXPECT_EQ(app_.Dialogs(), std::vector<HWND>{about});
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(about != nullptr && WaitUntilHidden(about));
  }
  // After a normal end only the configuration file is left, with this setting.
  void ExpectCleanTemp(char soundDigit) const {
    EXPECT_EQ(FilesIn(temp_), std::set<std::string>{"sw_config.cfg"});
    std::ifstream file(temp_ + "\\sw_config.cfg", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}),
              std::string("\r\n[SOUND] ") + soundDigit + "\r\n\r\n");
  }

  std::string base_, start_, temp_;
  App app_;
};
