// Drives the real statwarden.exe from another process: starts it in a chosen folder with its
// own temporary folder, sends it commands and keys, reads its window, list and message boxes.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

struct MessageBoxSeen {
  std::string text;
  std::string caption;
  bool operator==(const MessageBoxSeen&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const MessageBoxSeen& box) {
  return out << '"' << box.text << "\" / \"" << box.caption << '"';
}

// The statwarden.exe of this build.
extern const char kStatwarden[];

class AppDriver {
 public:
  // Starts `program` in `startFolder` with `tempFolder` as its temporary folder and waits for its
  // main window; false when it does not show within a few seconds.
  bool Start(const std::string& startFolder, const std::string& tempFolder,
             const char* program = kStatwarden);
  ~AppDriver();

  HWND window() const { return window_; }
  void Command(WORD id) const;
  void Key(WORD virtualKey) const;

  std::string Title() const;
  std::vector<std::string> ListLines() const;

  // The visible dialogs and message boxes the main window owns, topmost first.
  std::vector<HWND> OwnedDialogs() const;
  // The first of them, if one shows.
  HWND FindMessageBox() const;
  // Waits for an owned dialog with this caption; null when none came within `milliseconds`.
  HWND WaitForDialog(const std::string& caption, DWORD milliseconds = 10000) const;
  // Reads the box, then dismisses it with OK.
  MessageBoxSeen Dismiss(HWND box) const;
  // Waits for a message box and dismisses it. Empty text and caption when none came within
  // `milliseconds`.
  MessageBoxSeen DismissMessageBox(DWORD milliseconds = 10000) const;

  // Closes by the close box or by File, Exit and waits for the end; the exit code, or
  // STILL_ACTIVE when the program did not end.
  DWORD CloseByCloseBox();
  DWORD CloseByExitCommand();

 private:
  DWORD WaitForExit();

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// Posts a key's press and release to `window`, as the keyboard would.
void PressKey(HWND window, WORD virtualKey);

// A window's text as the system keeps it: a dialog's caption, a static control's text. An Edit in
// another process keeps its own and must be asked with WM_GETTEXT.
std::string WindowText(HWND window);

// Text read across processes comes wide: reading ANSI text that way is unreliable under Wine.
std::string Narrow(const std::wstring& wide);
// ANSI text made wide, for the file functions that take any name and paths of any length.
std::wstring Widen(const std::string& text);

// Waits until `window` is hidden or gone; false when it still shows after `milliseconds`.
bool WaitUntilHidden(HWND window, DWORD milliseconds = 5000);

// Waits until the messages posted so far to `dialog`, a dialog with a Cancel button, have been
// handled, or until it has ended: one more, posted behind them, pushes the button.
void AwaitPosted(HWND dialog);

// Runs the check of a dialog with a Cancel button at once, as its timer would, and waits until
// the check has run or the dialog has ended.
void Tick(HWND dialog);

// The names of the running processes whose program file begins with `prefix` and ends in
// ".tmp.exe": the tune programs a Statwarden run wrote out.
std::vector<std::string> TuneProcesses(const std::string& prefix);

// Every file name in `folder`.
std::vector<std::string> FilesIn(const std::string& folder);

std::string ReadFileBytes(const std::string& path);
