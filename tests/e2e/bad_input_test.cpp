// Maps, names, folders and surroundings the program was not made for: each is reported or taken
// in its stride, nothing is lost, and the program goes on and cleans up after itself.
#include <chrono>
#include <cwchar>
#include <set>

#include "e2e_fixture.h"
#include "open_dialog.h"

namespace {

// statwarden.exe built without the help file and the tunes.
constexpr char kStatwardenBare[] = SW_STATWARDEN_BARE_EXE;

std::set<std::string> FileSet(const std::string& folder) {
  const std::vector<std::string> names = FilesIn(folder);
  return {names.begin(), names.end()};
}

// Checks Sound off in the sound settings and presses OK.
void TurnSoundOff(const AppDriver& app) {
  HWND dialog = OpenSoundSettings(app);
  ASSERT_NE(dialog, nullptr);
  SendDlgItemMessageA(dialog, kSoundOff, BM_CLICK, 0, 0);
  SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntilHidden(dialog));
}

class BadInputTest : public AppTest {
 protected:
  // The tunes are the scan tests' business; without them a scan is over sooner.
  void SetUp() override {
    AppTest::SetUp();
    SetSound('0');
  }

  // The program came through: a Scan finds the rigged map `name`, the newest of the start folder,
  // and a normal end leaves only the configuration file, with `sound`. The Scan's outcome.
  Outcome ScanAndEnd(const std::string& name, char sound = '0') {
    const Outcome outcome = Run(kScan);
    EXPECT_EQ(outcome.box, kDiscrepancies);
    EXPECT_EQ(app_.Title(), "Statwarden: " + name);
    EXPECT_EQ(app_.ListLines(), kRiggedLines);
    EXPECT_EQ(app_.CloseByCloseBox(), 0u);
    ExpectCleanTemp(sound);
    return outcome;
  }

  // Without a help file written out, Help shows nothing, not even the viewer.
  void ExpectHelpDoesNothing() const {
    app_.Command(kHelp);
    ExpectNothingShows();
    EXPECT_EQ(FindWindowA("MS_WINHELP", nullptr), nullptr);
  }
};

// Chosen in File, Open while another program holds it: its error and no verdict; once let go, a
// Scan reads it.
TEST_F(BadInputTest, MapHeldOpenChosenInTheOpenDialog) {
  const std::string map = AddMap("downloading.pud", Rigged(), 1);
  HANDLE held = CreateFileA(map.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StartApp();
  HWND dialog = OpenDialog(app_);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Choose(dialog, map));
  const Outcome outcome = Await();
  CloseHandle(held);
  EXPECT_EQ(outcome.box, kFileInputError);
  EXPECT_EQ(app_.Title(), "Statwarden: downloading.pud");
  EXPECT_TRUE(app_.ListLines().empty());
  ScanAndEnd("downloading.pud");
}

// A map of 0 bytes reads as zeros throughout: every reportable unit whose standard value is not 0
// is listed, with 0. A sparse map of 3 GB is read only as far as its unit data, at once (reading
// all of it takes 8 s here).
TEST_F(BadInputTest, EmptyAndHugeMaps) {
  const std::string empty = start_ + "\\empty.pud";
  CloseHandle(CreateFileA(empty.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  SetModified(empty, 2024, 3, 1, 12);
  StartApp();
  EXPECT_EQ(Run(kScan).box, kDiscrepancies);
  EXPECT_EQ(app_.Title(), "Statwarden: empty.pud");
  const std::vector<std::string> lines = app_.ListLines();
  std::vector<std::string> titles;
  std::size_t units = 0;
  for (const std::string& line : lines) {
    if (line.find('\t') == std::string::npos) {
      if (line != " ") titles.push_back(line);
    } else {
      ++units;
      EXPECT_TRUE(line.ends_with("\t0")) << line;
      EXPECT_FALSE(line.ends_with("\t0\t0")) << line;
    }
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Build time change:-", "Unit Basic attack change:-",
                                              "Unit Piercing Damage change:-", "Gold cost change:-",
                                              "Wood cost change:-", "Oil cost change:-",
                                              "Hit Points change:-"}));
  EXPECT_GT(units, 400u);

  const std::string huge = AddMap("huge.pud", Rigged(), 2);
  HANDLE file = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  size.QuadPart = 3LL << 30;
  EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
  CloseHandle(file);
  SetModified(huge, 2024, 3, 2, 12);
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_EQ(Run(kScan).box, kDiscrepancies);
  EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(3));
  ScanAndEnd("huge.pud");
}

// A name in the ANSI code page is shown and read as it is. A name with characters outside it,
// which the ANSI search can only spell with '?', is taken by its short name and read.
TEST_F(BadInputTest, NamesBeyondAscii) {
  const std::string nordic = Narrow(L"\u00D8rkenslag.pud");
  const std::wstring foreign = L"\u041A\u0440\u0435\u043F\u043E\u0441\u0442\u044C.pud";
  ASSERT_EQ(nordic.find('?'), std::string::npos);
  ASSERT_NE(Narrow(foreign).find('?'), std::string::npos);
  AddMap(nordic, Rigged(), 1);
  const std::wstring foreignPath = Widen(start_) + L"\\" + foreign;
  const std::vector<std::uint8_t> bytes = BuildPud(Rigged());
  HANDLE file = CreateFileW(foreignPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  wchar_t shortPath[MAX_PATH];
  ASSERT_NE(GetShortPathNameW(foreignPath.c_str(), shortPath, MAX_PATH), 0u);
  const std::wstring shortName(std::wcsrchr(shortPath, L'\\') + 1);
  StartApp();
  EXPECT_EQ(Run(kScan).box, kDiscrepancies);
  EXPECT_EQ(app_.Title(), "Statwarden: " + Narrow(shortName));
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  EXPECT_TRUE(DeleteFileW(foreignPath.c_str()));
  ScanAndEnd(nordic);
}

// A name of 255 characters, the longest there is, in the root of a drive, where a path with it
// stays within MAX_PATH: whole in the title whether File, Open or Scan chose it.
class LongestNameTest : public BadInputTest {
 protected:
  void TearDown() override {
    DeleteFileA(map_.c_str());
    BadInputTest::TearDown();
  }

  const std::string name_ = std::string(251, 'w') + ".pud";
  const std::string map_ = "C:\\" + name_;
};

TEST_F(LongestNameTest, IsShownWhole) {
  WriteMap(map_, Rigged(), 1);
  ASSERT_TRUE(app_.Start("C:\\", temp_));
  HWND dialog = OpenDialog(app_);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Choose(dialog, map_));
  EXPECT_EQ(Await().box, kDiscrepancies);
  EXPECT_EQ(app_.Title(), "Statwarden: " + name_);
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  ScanAndEnd(name_);
}

// The configuration, read-only, is replaced at the end by the setting chosen meanwhile.
TEST_F(BadInputTest, ReadOnlyConfigurationIsRewritten) {
  SetSound('1');
  const std::string config = temp_ + "\\sw_config.cfg";
  SetFileAttributesA(config.c_str(), FILE_ATTRIBUTE_READONLY);
  AddMap("rigged.pud", Rigged(), 1);
  StartApp();
  TurnSoundOff(app_);
  ScanAndEnd("rigged.pud", '0');
  EXPECT_EQ(GetFileAttributesA(config.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

// Two at once, with one temporary folder: each writes support files of its own and deletes only
// those, and the one that ends last writes its setting.
TEST_F(BadInputTest, TwoAtOnce) {
  SetSound('1');
  AddMap("rigged.pud", Rigged(), 1);
  AppDriver other;
  ASSERT_TRUE(other.Start(start_, temp_));
  const std::set<std::string> others = FileSet(temp_);
  StartApp();
  std::set<std::string> own = FileSet(temp_);
  EXPECT_EQ(others.size(), 7u);
  EXPECT_EQ(own.size(), 13u);
  for (const std::string& name : others) {
    if (name != "sw_config.cfg") own.erase(name);
  }

  TurnSoundOff(other);
  EXPECT_EQ(other.CloseByCloseBox(), 0u);
  EXPECT_EQ(FileSet(temp_), own);
  EXPECT_EQ(ReadFileBytes(temp_ + "\\sw_config.cfg"), "\r\n[SOUND] 0\r\n\r\n");

  // Its own tune is still there to play.
  EXPECT_TRUE(ScanAndEnd("rigged.pud", '1').alarm);
}

// Built without the help file and the tunes: Scan works without a tune, Help does nothing, and
// nothing is written but the configuration.
TEST_F(BadInputTest, ProgramWithoutItsSupportFiles) {
  SetSound('1');
  AddMap("rigged.pud", Rigged(), 1);
  ASSERT_TRUE(app_.Start(start_, temp_, kStatwardenBare));
  EXPECT_EQ(FilesIn(temp_), std::vector<std::string>{"sw_config.cfg"});
  ExpectHelpDoesNothing();
  EXPECT_FALSE(ScanAndEnd("rigged.pud", '1').alarm);
}

class StartFolderTest : public BadInputTest, public testing::WithParamInterface<std::size_t> {};

// A start folder with a long path is where Scan looks, even after File, Open went elsewhere. A
// path longer than MAX_PATH is given in its short form, the only one a program can start in:
// Windows keeps a current folder to MAX_PATH, and under Wine 8 CreateProcess with a longer one
// corrupts the caller's heap or starts the program in C:\windows.
TEST_P(StartFolderTest, ScanLooksThere) {
  std::wstring folder = L"\\\\?\\" + Widen(start_);
  while (folder.size() < 4 + GetParam()) {
    folder += L"\\" + std::wstring(40, L'f');
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  }
  std::string start = Narrow(folder.substr(4));
  if (start.size() >= MAX_PATH) {
    wchar_t shortForm[MAX_PATH];
    const DWORD length = GetShortPathNameW(folder.c_str(), shortForm, MAX_PATH);
    ASSERT_TRUE(length > 4 && length < MAX_PATH);
    start = Narrow(shortForm + 4);
  }
  WriteMap(start + "\\rigged.pud", Rigged(), 1);
  const std::string clean = AddMap("clean.pud", SamplePud{}, 2);
  ASSERT_TRUE(app_.Start(start, temp_));
  HWND dialog = OpenDialog(app_);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Choose(dialog, clean));
  EXPECT_EQ(Await().box, kClean);
  ScanAndEnd("rigged.pud");
}

INSTANTIATE_TEST_SUITE_P(Lengths, StartFolderTest, testing::Values(100u, 300u),
                         [](const auto& test) {
                           return std::to_string(test.param) + "Characters";
                         });

struct Unwritable {
  const char* name;
  void (*make)(const std::string& path);
};

class UnwritableTempTest : public BadInputTest, public testing::WithParamInterface<Unwritable> {};

// Nothing can be written to the temporary folder: no message, no tune, no file anywhere, and
// Scan works all the same.
TEST_P(UnwritableTempTest, ScanWorksSilently) {
  const std::string temp = base_ + "\\unwritable";
  GetParam().make(temp);
  AddMap("rigged.pud", Rigged(), 1);
  const std::set<std::string> driverTemp = FileSet(DriverTemp());
  const std::set<std::string> base = FileSet(base_);
  ASSERT_TRUE(app_.Start(start_, temp));
  ExpectNothingShows();
  const Outcome outcome = Run(kScan);
  EXPECT_EQ(outcome.box, kDiscrepancies);
  EXPECT_FALSE(outcome.alarm);
  EXPECT_EQ(app_.ListLines(), kRiggedLines);
  ExpectHelpDoesNothing();
  EXPECT_EQ(app_.CloseByCloseBox(), 0u);
  EXPECT_EQ(FileSet(DriverTemp()), driverTemp);
  EXPECT_EQ(FileSet(base_), base);
  EXPECT_EQ(ReadFileBytes(temp), "") << "a file in the folder's place";
}

// A folder marked read-only still takes new files, and these tests run with the rights to write
// anywhere: a file where the folder should be stands for a place that refuses them.
INSTANTIATE_TEST_SUITE_P(Folders, UnwritableTempTest,
                         testing::Values(Unwritable{"Missing", [](const std::string&) {}},
                                         Unwritable{"AFile",
                                                    [](const std::string& path) {
                                                      CloseHandle(CreateFileA(
                                                          path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                          CREATE_NEW, 0, nullptr));
                                                    }}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
