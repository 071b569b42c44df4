// What the end-to-end tests share: a start folder and a temporary folder of their own for each
// test, maps made to order, and what a command showed the player.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_driver.h"
#include "sample_pud.h"

// Command identifiers, as the menu, the keys and the buttons send them.
constexpr WORD kOpen = 102;
constexpr WORD kSoundSettings = 111;
constexpr WORD kHelp = 112;
constexpr WORD kAbout = 113;
constexpr WORD kScan = 220;
constexpr WORD kAutoscan = 230;

constexpr char kAboutCaption[] = "About Statwarden";
constexpr char kSoundCaption[] = "Config Statwarden";

// The sound settings dialog's radio buttons.
constexpr int kSoundOn = 102;
constexpr int kSoundOff = 103;

// The test program's own temporary folder, which holds each test's folders.
std::string DriverTemp();

// Removes `folder` with everything in it, whatever the length of their paths and the characters of
// their names.
void RemoveTree(const std::string& folder);

// Sets the last-write time of a file or folder to a local date and time.
void SetModified(const std::string& path, WORD year, WORD month, WORD day, WORD hour);

// Writes `map` to `path`, last written on the given day of March 2024.
void WriteMap(const std::string& path, const SamplePud& map, WORD day);

// A map with three changed statistics, listed as kRiggedLines.
SamplePud Rigged();
extern const std::vector<std::string> kRiggedLines;

extern const MessageBoxSeen kDiscrepancies;
extern const MessageBoxSeen kClean;
extern const MessageBoxSeen kFileInputError;

// What one command showed: its message box and the tunes that ran meanwhile.
struct Outcome {
  MessageBoxSeen box;
  bool alarm = false;
  bool happy = false;
};

// Sends the sound settings command and waits for the dialog; null when none came.
HWND OpenSoundSettings(const AppDriver& app);

class AppTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A map in the start folder; its path.
  std::string AddMap(const std::string& name, const SamplePud& map, WORD day = 1) const;
  void SetSound(char digit) const;
  void StartApp() { ASSERT_TRUE(app_.Start(start_, temp_)); }

  // Sends `command` (or presses S), then as Await.
  Outcome Run(WORD command, bool byKey = false);
  // Notes the tunes that start, reads and dismisses the message box that comes.
  Outcome Await();
  static void WaitForTunesToEnd();

  // Nothing shows now and nothing comes of what was sent before: the About box, asked for now,
  // is the one window the program shows. Closes it again.
  void ExpectNothingShows() const;

  // After a normal end only the configuration file is left, in its 15 bytes.
  void ExpectCleanTemp(char soundDigit) const;

  std::string base_, start_, temp_;
  AppDriver app_;
};
