// Drives the real statwarden.exe from another process: commands and keys in, what it shows out.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "sample_pud.h"

// Command identifiers, as the menu, the keys and the buttons send them; the sound radio buttons;
// the Show map dialog's picture and table.
constexpr WORD kOpen = 102, kSoundSettings = 111, kHelp = 112, kAbout = 113, kEveryField = 114,
               kScan = 220, kAutoscan = 230, kSoundOn = 102, kSoundOff = 103, kMapPicture = 301,
               kMapStarts = 302;

using Box = std::pair<std::string, std::string>;  // a message box's text and caption
inline const Box kDiscrepancies{"Warning - unit discrepancies found", "Statwarden"};
using Bytes = std::vector<std::uint8_t>;
// A map with three changed statistics, listed as kRiggedLines, and one with none.
inline const Bytes kRiggedMap = [] {
  SamplePud map;
  SetMapValue(map.units, Statistic::BuildTime, 5, 200);
  SetMapValue(map.units, Statistic::GoldCost, 2, 45);
  SetMapValue(map.units, Statistic::HitPoints, 0, 100);
  return BuildPud(map);
}();
inline const Bytes kCleanMap = BuildPud(SamplePud{});
inline const std::vector<std::string> kRiggedLines = {
    "Build time change:-", "catapult\t\t\t250\t200", " ",
    "Gold cost change:-",  "peasant\t\t\t400\t450",  " ",
    "Hit Points change:-", "footman\t\t\t60\t100"};
// This program's own temporary folder, which holds each test's folders.
inline const std::string kDriverTemp = (std::filesystem::temp_directory_path() / "").string();

// Polls until `done`, for at most `ms` milliseconds; whether it came.
template <typename Done>
bool WaitFor(Done done, DWORD ms = 10000) {
  for (const DWORD start = GetTickCount(); !done(); Sleep(20))
    if (GetTickCount() - start > ms) return false;
  return true;
}

inline std::string WindowText(HWND window) {
  char text[1024];
  return {text, static_cast<std::size_t>(GetWindowTextA(window, text, sizeof text))};
}

inline std::wstring WideWindowText(HWND window) {
  wchar_t text[1024];
  return {text, static_cast<std::size_t>(GetWindowTextW(window, text, 1024))};
}

inline std::vector<std::string> ListLines(HWND list) {
  std::vector<std::string> lines(static_cast<std::size_t>(SendMessageA(list, LB_GETCOUNT, 0, 0)));
  // Wide: LB_GETTEXT in ANSI across processes overruns its buffer under Wine.
  wchar_t line[256];
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    lines[i].assign(line, line + (length > 0 ? length : 0));
  }
  return lines;
}

inline bool WaitUntilHidden(HWND window) {
  return window != nullptr && WaitFor([=] { return !IsWindowVisible(window); });
}

// Runs Autoscan's check now, as its timer would; a button press posted after it shows it is done.
inline void Tick(HWND dialog) {
  PostMessageA(dialog, WM_TIMER, 1, 0);
  HWND cancel = GetDlgItem(dialog, IDCANCEL);
  PostMessageA(cancel, BM_SETSTATE, TRUE, 0);
  WaitFor([=] {
    return !IsWindowVisible(dialog) || (SendMessageA(cancel, BM_GETSTATE, 0, 0) & BST_PUSHED);
  });
  SendMessageA(cancel, BM_SETSTATE, FALSE, 0);
}

inline std::vector<DWORD> Processes(const std::string& prefix) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (_strnicmp(entry.szExeFile, prefix.c_str(), prefix.size()) == 0)
      found.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return found;
}

// What is in `folder` and below it, by paths from there.
inline std::set<std::string> FilesIn(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    names.insert(entry.path().lexically_relative(folder).string());
  return names;
}

inline std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The window's lines for the real map `name` with every field checked, without the outcome, as
// the checked reports of the real maps have them.
inline std::vector<std::string> CheckedLines(const std::string& name) {
  std::ifstream reports(SW_CHECKED_REPORTS);
  std::vector<std::string> lines;
  bool found = false;
  for (std::string line; std::getline(reports, line);)
    if (line.rfind("==> ", 0) == 0)
      found = line == "==> " + name + " <==";
    else if (found)
      lines.push_back(line);
  if (!lines.empty()) lines.pop_back();
  return lines;
}

// Writes a map last written 40 - `day` days ago, the later the newer; its path.
inline std::filesystem::path WriteMap(const std::filesystem::path& path, const Bytes& bytes,
                                      int day = 1, DWORD attributes = 0) {
  std::ofstream(path, std::ios::binary) << std::string(bytes.begin(), bytes.end());
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(path, now - std::chrono::days(40 - day));
  SetFileAttributesW(path.c_str(), attributes);
  return path;
}

struct App {
  bool Start(const std::filesystem::path& startFolder, const std::filesystem::path& tempFolder) {
    // Inherited by the program, and kept: the tests' own folders are under kDriverTemp.
    SetEnvironmentVariableW(L"TMP", tempFolder.c_str());
    SetEnvironmentVariableW(L"TEMP", tempFolder.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(L"" SW_STATWARDEN_EXE, nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                   startFolder.c_str(), &startup, &process);
    // The window shows and the support files are written before the program waits for input;
    // the first program of a Wine session may be idle before its window can be found.
    WaitForInputIdle(process.hProcess, 10000);
    return WaitFor([&] {
      for (HWND top = nullptr; (top = FindWindowExA(nullptr, top, "Statwarden", nullptr));) {
        DWORD processId = 0;
        GetWindowThreadProcessId(top, &processId);
        if (processId == process.dwProcessId) window = top;
      }
      return window != nullptr;
    });
  }
  void End() {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    process = {};
  }
  ~App() { End(); }
  void Command(WORD id) const { PostMessageA(window, WM_COMMAND, id, 0); }
  std::vector<std::string> ListLines() const {
    return ::ListLines(FindWindowExA(window, nullptr, "LISTBOX", nullptr));
  }
  // Drops the maps `names` (full paths, each ended by a null) on the window as the shell does: a
  // DROPFILES header and the names, in the program's memory, away from the start of its page.
  // False when this Wine cannot write into another process (i386 Wine under qemu-user).
  bool Drop(const std::wstring& names) const {
    const DROPFILES header{sizeof header, {}, FALSE, TRUE};
    char* block = static_cast<char*>(
                      VirtualAllocEx(process.hProcess, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE)) +
                  64;
    if (!WriteProcessMemory(process.hProcess, block, &header, sizeof header, nullptr) ||
        !WriteProcessMemory(process.hProcess, block + sizeof header, names.c_str(),
                            (names.size() + 1) * sizeof(wchar_t), nullptr))
      return false;
    return PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
  }
  // The pixels of the menu of this access key, opened from the keyboard as a user would, then
  // closed.
  std::vector<COLORREF> Menu(char key) const {
    PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, key);
    HWND menu = nullptr;
    WaitFor([&] { return IsWindowVisible(menu = FindWindowA("#32768", nullptr)); });
    RECT box;
    GetWindowRect(menu, &box);
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels, before;
    // Until two looks agree: the menu has been drawn.
    for (int tries = 0; tries < 20 && (pixels.empty() || pixels != before); ++tries) {
      before = std::exchange(pixels, {});
      for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left; x < box.right; ++x) pixels.push_back(GetPixel(screen, x, y));
    }
    ReleaseDC(nullptr, screen);
    for (int presses = 0; presses < 2; ++presses) PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor([&] { return !IsWindowVisible(menu); });
    return pixels;
  }
  // The visible dialogs and message boxes the main window owns.
  std::vector<HWND> Dialogs() const {
    std::vector<HWND> dialogs;
    for (HWND top = nullptr; (top = FindWindowExA(nullptr, top, "#32770", nullptr));)
      if (IsWindowVisible(top) && GetWindow(top, GW_OWNER) == window) dialogs.push_back(top);
    return dialogs;
  }
  // The first of them to show with this caption, or with any if none is given.
  HWND WaitForDialog(const std::string& caption = "") const {
    for (int tries = 0; tries < 400; ++tries, Sleep(25))
      for (HWND dialog : Dialogs())
        if (caption.empty() || WindowText(dialog) == caption) return dialog;
    return nullptr;
  }
  DWORD Close() const {
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
    // Both named beyond the ANSI code page (Wine's is 1252), in two scripts. A space in the
    // temporary folder's path: the tunes run all the same.
    start_ = std::filesystem::path(base_) / L"\u041a\u0430\u0440\u0442\u044b \u5730\u56fe";
    temp_ = std::filesystem::path(base_) / L"temp \u0444\u0430\u0439\u043b\u044b \u4e34\u65f6";
    std::filesystem::create_directories(start_);
    std::filesystem::create_directories(temp_);
  }
  void TearDown() override {
    app_.End();
    std::filesystem::remove_all(base_);
  }
  // Starts the program, with this sound setting in its configuration file if one is given.
  void StartApp(char sound = 0) {
    if (sound != 0) std::ofstream(temp_ / "sw_config.cfg") << "\n[SOUND] " << sound << "\n\n";
    ASSERT_TRUE(app_.Start(start_, temp_));
  }
  // Sends `command`, if any; notes the tunes that run as the box that comes shows, presses OK, and
  // waits for the tunes unless told not to.
  Outcome Run(WORD command = 0, bool untilTunesEnd = true) {
    if (command != 0) app_.Command(command);
    HWND box = app_.WaitForDialog();
    const Outcome outcome{Box(WindowText(GetDlgItem(box, 0xFFFF)), WindowText(box)),
                          !Processes("alm").empty(), !Processes("hpy").empty()};
    SendDlgItemMessageA(box, IDOK, BM_CLICK, 0, 0);
    WaitUntilHidden(box);
    if (untilTunesEnd) WaitFor([] { return Processes("alm").empty() && Processes("hpy").empty(); });
    return outcome;
  }
  // The About box, asked for, is all that shows now or comes of what was sent; `message` closes it.
  void ExpectOnlyAbout(UINT message = BM_CLICK, WPARAM wParam = 0) const {
    app_.Command(kAbout);
    HWND about = app_.WaitForDialog("About Statwarden");
    EXPECT_EQ(app_.Dialogs(), std::vector<HWND>{about});
    PostMessageA(message == BM_CLICK ? GetDlgItem(about, IDOK) : about, message, wParam, 1);
    EXPECT_TRUE(WaitUntilHidden(about));
  }
  // After a normal end only the configuration file is left, with the sound on.
  void ExpectCleanTemp() const {
    EXPECT_EQ(FilesIn(temp_), std::set<std::string>{"sw_config.cfg"});
    EXPECT_EQ(Contents(temp_ / "sw_config.cfg"), "\r\n[SOUND] 1\r\n\r\n");
  }

  std::string base_;
  std::filesystem::path start_, temp_;
  App app_;
};
