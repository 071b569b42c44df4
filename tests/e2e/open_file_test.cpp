#include "e2e_fixture.h"
#include "open_dialog.h"

namespace {

// The open-file dialog's file-type list.
constexpr int kFileTypeId = 0x470;

// An Edit's text from another process: asked for, as GetWindowText does not.
std::string FieldText(HWND dialog) {
  HWND field = FileNameField(dialog);
  const auto length = SendMessageW(field, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(field, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return Narrow(text);
}

// The chosen entry of the file-type list.
std::string FileType(HWND dialog) {
  HWND types = GetDlgItem(dialog, kFileTypeId);
  const auto index = static_cast<WPARAM>(SendMessageW(types, CB_GETCURSEL, 0, 0));
  const auto length = SendMessageW(types, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return "";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(types, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return Narrow(text);
}

// Moves the dialog to `folder` by typing its path; true when it stays open to show the folder.
bool GoTo(HWND dialog, const std::string& folder) {
  Enter(dialog, folder);
  AwaitPosted(dialog);
  return IsWindowVisible(dialog);
}

class OpenFileTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    far_ = base_ + "\\far";
    CreateDirectoryA(far_.c_str(), nullptr);
  }

  // Scan still searches the start folder, whose rigged map it finds; then the program closes.
  void ExpectScanOfTheStartFolderThenClose() {
    EXPECT_EQ(Run(kScan).box, kDiscrepancies);
    EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
    EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  }

  // A clean map in the other folder, newer than any in the start folder.
  std::string AddFarMap() const {
    const std::string path = far_ + "\\far away.pud";
    WriteMap(path, SamplePud{}, 9);
    return path;
  }

  std::string far_;
};

// Chosen by going to its folder, then by its name; a Scan afterwards searches the start folder.
TEST_F(OpenFileTest, MapInAnotherFolder) {
  AddMap("rigged.pud", Rigged(), 1);
  AddFarMap();
  StartApp();
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  HWND dialog = OpenDialog(app_);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(GoTo(dialog, far_));
  ASSERT_TRUE(Choose(dialog, "far away.pud"));
  const Outcome outcome = Await();
  EXPECT_EQ(outcome.box, kClean);
  EXPECT_TRUE(outcome.happy);
  EXPECT_EQ(app_.Title(), "Statwarden: far away.pud");
  EXPECT_TRUE(app_.ListLines().empty());

  EXPECT_EQ(Run(kScan).box, kDiscrepancies);
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  ExpectCleanTemp('1');
}

// The Delete key opens the dialog, listing maps, with no name filled in; a whole path typed in
// opens its map, whichever folder the dialog shows.
TEST_F(OpenFileTest, DeleteKeyOpensTheDialog) {
  SetSound('0');
  AddMap("clean.pud", SamplePud{}, 1);
  const std::string rigged = far_ + "\\rigged.pud";
  WriteMap(rigged, Rigged(), 2);
  StartApp();
  app_.Key(VK_DELETE);
  HWND dialog = app_.WaitForDialog(kOpenCaption);
  ASSERT_NE(dialog, nullptr);
  AwaitPosted(dialog);
  EXPECT_EQ(FileType(dialog), "Puds(*.pud)");
  EXPECT_EQ(FieldText(dialog), "");
  ASSERT_TRUE(Choose(dialog, rigged));
  EXPECT_EQ(Await().box, kDiscrepancies);
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

// Even after the dialog went to another folder.
TEST_F(OpenFileTest, CancelChangesNothing) {
  SetSound('0');
  AddMap("rigged.pud", Rigged(), 1);
  AddFarMap();
  StartApp();
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  HWND dialog = OpenDialog(app_);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(GoTo(dialog, far_));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(WaitUntilHidden(dialog));
  EXPECT_EQ(app_.Title(), "Statwarden: rigged.pud");
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  ExpectNothingShows();

  ExpectScanOfTheStartFolderThenClose();
}

// The dialog takes a name that is not there yet; opening it fails, without a verdict.
TEST_F(OpenFileTest, MissingFileIsReported) {
  SetSound('0');
  AddMap("rigged.pud", Rigged(), 1);
  StartApp();
  ASSERT_EQ(Run(kScan).box, kDiscrepancies);
  HWND dialog = OpenDialog(app_);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(GoTo(dialog, far_));
  ASSERT_TRUE(Choose(dialog, "missing.pud"));
  EXPECT_EQ(Await().box, kFileInputError);
  EXPECT_EQ(app_.Title(), "Statwarden: missing.pud");
  EXPECT_TRUE(app_.ListLines().empty());
  ExpectNothingShows();

  ExpectScanOfTheStartFolderThenClose();
}

// The map's folder became current; Autoscan goes back to the start folder to watch.
TEST_F(OpenFileTest, AutoscanAfterwardsWatchesTheStartFolder) {
  SetSound('0');
  AddMap("clean.pud", SamplePud{}, 1);
  AddFarMap();
  StartApp();
  HWND dialog = OpenDialog(app_);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(GoTo(dialog, far_));
  ASSERT_TRUE(Choose(dialog, "far away.pud"));
  ASSERT_EQ(Await().box, kClean);

  app_.Command(kAutoscan);
  dialog = app_.WaitForDialog("Autoscan");
  ASSERT_NE(dialog, nullptr);
  WriteMap(far_ + "\\elsewhere.pud", Rigged(), 2);
  Tick(dialog);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "a map in the other folder";
  AddMap("arrived.pud", Rigged(), 2);
  Tick(dialog);
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(Await().box, kDiscrepancies);
  EXPECT_EQ(app_.Title(), "Statwarden: arrived.pud");
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
}

}  // namespace
