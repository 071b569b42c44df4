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

class AppDriver {
 public:
  // Starts the program in `startFolder` with `tempFolder` as its temporary folder and waits for
  // its main window; false when it does not show within a few seconds.
  bool Start(const std::string& startFolder, const std::string& tempFolder);
  ~AppDriver();

  HWND window() const { return window_; }
  void Command(WORD id) const;
  void Key(WORD virtualKey) const;

  std::string Title() const;
  std::vector<std::string> ListLines() const;

  // The message box the main window owns, if one shows.
  HWND FindMessageBox() const;
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

// The names of the running processes whose program file begins with `prefix` and ends in
// ".tmp.exe": the tune programs a Statwarden run wrote out.
std::vector<std::string> TuneProcesses(const std::string& prefix);

// Every file name in `folder`.
std::vector<std::string> FilesIn(const std::string& folder);

std::string ReadFileBytes(const std::string& path);
