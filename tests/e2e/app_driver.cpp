#include "app_driver.h"

#include <tlhelp32.h>

#include <fstream>
#include <sstream>

const char kStatwarden[] = SW_STATWARDEN_EXE;

namespace {

struct OwnedDialogSearch {
  HWND owner;
  std::vector<HWND> dialogs;
};

BOOL CALLBACK FindOwnedDialogs(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<OwnedDialogSearch*>(lParam);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window) &&
      GetWindow(window, GW_OWNER) == search->owner) {
    search->dialogs.push_back(window);
  }
  return TRUE;
}

// Sets an environment variable for as long as it lives, then puts the old value back.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, const std::string& value) : name_(name) {
    char old[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(name, old, MAX_PATH);
    had_ = length > 0 && length < MAX_PATH;
    if (had_) old_ = old;
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~EnvironmentVariable() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

struct MainWindowSearch {
  DWORD processId;
  HWND window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<MainWindowSearch*>(lParam);
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == search->processId && lstrcmpA(className, "Statwarden") == 0) {
    search->window = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool AppDriver::Start(const std::string& startFolder, const std::string& tempFolder,
                      const char* program) {
  // The program inherits the temporary folder; this process keeps its own.
  const EnvironmentVariable tmp("TMP", tempFolder);
  const EnvironmentVariable temp("TEMP", tempFolder);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = std::string("\"") + program + "\"";
  if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      startFolder.c_str(), &startup, &process_)) {
    return false;
  }
  MainWindowSearch search{process_.dwProcessId, nullptr};
  for (int tries = 0; tries < 200 && search.window == nullptr; ++tries) {
    Sleep(50);
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
  }
  window_ = search.window;
  // The support files are written once the window shows; let start-up finish.
  WaitForInputIdle(process_.hProcess, 5000);
  return window_ != nullptr;
}

AppDriver::~AppDriver() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

void AppDriver::Command(WORD id) const { PostMessageA(window_, WM_COMMAND, id, 0); }

void AppDriver::Key(WORD virtualKey) const { PressKey(window_, virtualKey); }

std::string AppDriver::Title() const { return WindowText(window_); }

std::vector<std::string> AppDriver::ListLines() const {
  HWND list = FindWindowExA(window_, nullptr, "LISTBOX", nullptr);
  std::vector<std::string> lines;
  const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // Read as wide text: reading ANSI text across processes is unreliable under Wine.
    const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<std::size_t>(length));
    lines.push_back(Narrow(wide));
  }
  return lines;
}

std::vector<HWND> AppDriver::OwnedDialogs() const {
  OwnedDialogSearch search{window_, {}};
  EnumWindows(FindOwnedDialogs, reinterpret_cast<LPARAM>(&search));
  return search.dialogs;
}

HWND AppDriver::FindMessageBox() const {
  const std::vector<HWND> dialogs = OwnedDialogs();
  return dialogs.empty() ? nullptr : dialogs.front();
}

HWND AppDriver::WaitForDialog(const std::string& caption, DWORD milliseconds) const {
  for (DWORD waited = 0; waited <= milliseconds; waited += 25, Sleep(25)) {
    for (HWND dialog : OwnedDialogs()) {
      if (WindowText(dialog) == caption) return dialog;
    }
  }
  return nullptr;
}

MessageBoxSeen AppDriver::Dismiss(HWND box) const {
  const MessageBoxSeen seen{WindowText(GetDlgItem(box, 0xFFFF)), WindowText(box)};
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  for (int tries = 0; tries < 100 && IsWindow(box); ++tries) Sleep(20);
  return seen;
}

MessageBoxSeen AppDriver::DismissMessageBox(DWORD milliseconds) const {
  HWND box = FindMessageBox();
  for (DWORD waited = 0; box == nullptr && waited < milliseconds; waited += 50) {
    Sleep(50);
    box = FindMessageBox();
  }
  return box == nullptr ? MessageBoxSeen{} : Dismiss(box);
}

DWORD AppDriver::CloseByCloseBox() {
  PostMessageA(window_, WM_CLOSE, 0, 0);
  return WaitForExit();
}

DWORD AppDriver::CloseByExitCommand() {
  Command(105);
  return WaitForExit();
}

DWORD AppDriver::WaitForExit() {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process_.hProcess, &code);
  }
  return code;
}

void PressKey(HWND window, WORD virtualKey) {
  PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
  PostMessageA(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

std::string Narrow(const std::wstring& wide) {
  std::string text(wide.size() * 2, '\0');
  text.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), text.data(),
                          static_cast<int>(text.size()), nullptr, nullptr)));
  return text;
}

std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

bool WaitUntilHidden(HWND window, DWORD milliseconds) {
  for (DWORD waited = 0; IsWindowVisible(window); waited += 20, Sleep(20)) {
    if (waited >= milliseconds) return false;
  }
  return true;
}

void AwaitPosted(HWND dialog) {
  HWND cancel = GetDlgItem(dialog, IDCANCEL);
  PostMessageA(cancel, BM_SETSTATE, TRUE, 0);
  for (int tries = 0; tries < 500 && IsWindowVisible(dialog); ++tries, Sleep(10)) {
    if ((SendMessageA(cancel, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0) {
      SendMessageA(cancel, BM_SETSTATE, FALSE, 0);
      return;
    }
  }
}

void Tick(HWND dialog) {
  // Posted, as the timer's own message is.
  PostMessageA(dialog, WM_TIMER, 1, 0);
  AwaitPosted(dialog);
}

std::vector<std::string> TuneProcesses(const std::string& prefix) {
  std::vector<std::string> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    const std::string name = entry.szExeFile;
    if (name.size() > prefix.size() + 8 &&
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(),
                       static_cast<int>(prefix.size()), prefix.c_str(),
                       static_cast<int>(prefix.size())) == CSTR_EQUAL &&
        lstrcmpiA(name.c_str() + name.size() - 8, ".tmp.exe") == 0) {
      found.push_back(name);
    }
  }
  CloseHandle(snapshot);
  return found;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string ReadFileBytes(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}
