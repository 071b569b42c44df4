#include "e2e_fixture.h"

namespace {

class ScanTest : public AppTest {};

TEST_F(ScanTest, RiggedMapIsListedWithTheAlarm) {
  SetSound('1');
  AddMap("older clean.pud", SamplePud{}, 1);
  AddMap("rigged.pud", Rigged(), 2);
  StartApp();
  EXPECT_EQ(app_.Title(), "Statwarden");
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_TRUE(outcome.alarm);
  EXPECT_FALSE(outcome.happy);
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  ExpectCleanTemp('1');
}

TEST_F(ScanTest, CleanAndDefaultDataMapsWithTheHappyTune) {
  AddMap("clean.pud", SamplePud{}, 1);
  StartApp();
  Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kClean);
  EXPECT_TRUE(outcome.happy);
  EXPECT_FALSE(outcome.alarm);
  EXPECT_TRUE(app_.ListLines().empty());

  SamplePud standard = Rigged();
  standard.erax = false;
  standard.defaultDataWord = 1;
  AddMap("standard.pud", standard, 2);
  outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kClean);
  EXPECT_EQ(app_.Title(), "Statwarden: standard.pud");
  EXPECT_TRUE(app_.ListLines().empty());
  EXPECT_EQ(app_.CloseByExitCommand(), 0u);
  ExpectCleanTemp('1');
}

TEST_F(ScanTest, NoMapsLeavesTheTitleAndEmptiesTheList) {
  const std::string rigged = AddMap("rigged.pud", Rigged(), 1);
  StartApp();
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  DeleteFileA(rigged.c_str());
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, (MessageBoxSeen{"Error - no puds found", "Scan"}));
  EXPECT_FALSE(outcome.alarm || outcome.happy);
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_TRUE(app_.ListLines().empty());
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

// Hidden and system files and a folder, all newer, are passed over; the S key scans too.
TEST_F(ScanTest, NewestPlainMapIsChosen) {
  AddMap("old.pud", Rigged(), 1);
  AddMap("newest.pud", SamplePud{}, 5);
  SetFileAttributesA(AddMap("hidden.pud", Rigged(), 9).c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(AddMap("system.pud", Rigged(), 9).c_str(), FILE_ATTRIBUTE_SYSTEM);
  const std::string folder = start_ + "\\folder.pud";
  CreateDirectoryA(folder.c_str(), nullptr);
  SetModified(folder, 2024, 3, 9, 12);
  StartApp();
  EXPECT_EQ(Run(kScan, true).box, kClean);
  EXPECT_EQ(app_.Title(), "Statwarden: newest.pud");
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

// A map held open by another program: its error, no verdict, and the program goes on.
TEST_F(ScanTest, UnreadableMapIsReportedAndTheProgramGoesOn) {
  const std::string map = AddMap("downloading.pud", Rigged(), 1);
  HANDLE held = CreateFileA(map.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StartApp();
  Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kFileInputError);
  EXPECT_FALSE(outcome.alarm || outcome.happy);
  EXPECT_EQ(app_.DismissMessageBox(1000).text, "");
  EXPECT_EQ(app_.Title(), "Statwarden: downloading.pud");
  EXPECT_TRUE(app_.ListLines().empty());

  CloseHandle(held);
  outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  EXPECT_EQ(app_.CloseByExitCommand(), 0u);
  ExpectCleanTemp('1');
}

TEST_F(ScanTest, SoundOffInTheConfigurationPlaysNoTune) {
  SetSound('0');
  AddMap("rigged.pud", Rigged(), 1);
  StartApp();
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_FALSE(outcome.alarm || outcome.happy);
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  ExpectCleanTemp('0');
}

}  // namespace
