#include "e2e_fixture.h"

#include <algorithm>
#include <fstream>

std::string DriverTemp() {
  char folder[MAX_PATH];
  return std::string(folder, GetTempPathA(MAX_PATH, folder));
}

namespace {

// `folder` in the "\\?\" form, which takes paths of any length.
void RemoveLongTree(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  for (const std::wstring& name : names) {
    const std::wstring path = folder + L"\\" + name;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileW(path.c_str())) RemoveLongTree(path);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

void RemoveTree(const std::string& folder) { RemoveLongTree(L"\\\\?\\" + Widen(folder)); }

void SetModified(const std::string& path, WORD year, WORD month, WORD day, WORD hour) {
  SYSTEMTIME local{};
  local.wYear = year;
  local.wMonth = month;
  local.wDay = day;
  local.wHour = hour;
  FILETIME localTime, utc;
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &utc);
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  SetFileTime(file, nullptr, nullptr, &utc);
  CloseHandle(file);
}

void WriteMap(const std::string& path, const SamplePud& map, WORD day) {
  const std::vector<std::uint8_t> bytes = BuildPud(map);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  SetModified(path, 2024, 3, day, 12);
}

SamplePud Rigged() {
  SamplePud map;
  SetMapValue(map.units, Statistic::BuildTime, 5, 200);
  SetMapValue(map.units, Statistic::GoldCost, 2, 45);
  SetMapValue(map.units, Statistic::HitPoints, 0, 100);
  return map;
}

const std::vector<std::string> kRiggedLines = {"Build time change:-", "catapult\t\t\t250\t200", " ",
                                               "Gold cost change:-",  "peasant\t\t\t400\t450",  " ",
                                               "Hit Points change:-", "footman\t\t\t60\t100"};

const MessageBoxSeen kDiscrepancies{"Warning - unit discrepancies found", "Statwarden"};
const MessageBoxSeen kClean{"No unit specials found", "Statwarden"};
const MessageBoxSeen kFileInputError{"File input error", "AnalysePud"};

HWND OpenSoundSettings(const AppDriver& app) {
  app.Command(kSoundSettings);
  return app.WaitForDialog(kSoundCaption);
}

void AppTest::SetUp() {
  // A parameterised test's name holds a '/', a folder separator here.
  std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(name.begin(), name.end(), '/', '-');
  base_ = DriverTemp() + name;
  RemoveTree(base_);
  start_ = base_ + "\\maps";
  temp_ = base_ + "\\temp";
  CreateDirectoryA(base_.c_str(), nullptr);
  CreateDirectoryA(start_.c_str(), nullptr);
  CreateDirectoryA(temp_.c_str(), nullptr);
}

void AppTest::TearDown() { RemoveTree(base_); }

std::string AppTest::AddMap(const std::string& name, const SamplePud& map, WORD day) const {
  const std::string path = start_ + "\\" + name;
  WriteMap(path, map, day);
  return path;
}

void AppTest::SetSound(char digit) const {
  std::ofstream(temp_ + "\\sw_config.cfg", std::ios::binary)
      << "\r\n[SOUND] " << digit << "\r\n\r\n";
}

Outcome AppTest::Run(WORD command, bool byKey) {
  if (byKey) {
    app_.Key('S');
  } else {
    app_.Command(command);
  }
  return Await();
}

Outcome AppTest::Await() {
  Outcome outcome;
  HWND box = nullptr;
  for (int tries = 0; tries < 400; ++tries) {
    outcome.alarm = outcome.alarm || !TuneProcesses("alm").empty();
    outcome.happy = outcome.happy || !TuneProcesses("hpy").empty();
    if (box != nullptr && tries % 20 == 19) break;
    if (box == nullptr) box = app_.FindMessageBox();
    Sleep(25);
  }
  if (box != nullptr) outcome.box = app_.Dismiss(box);
  WaitForTunesToEnd();
  return outcome;
}

void AppTest::WaitForTunesToEnd() {
  for (int tries = 0; tries < 200; ++tries, Sleep(25)) {
    if (TuneProcesses("alm").empty() && TuneProcesses("hpy").empty()) return;
  }
}

void AppTest::ExpectNothingShows() const {
  app_.Command(kAbout);
  HWND about = app_.WaitForDialog(kAboutCaption);
  ASSERT_NE(about, nullptr) << "the About box did not come";
  std::vector<std::string> captions;
  for (HWND dialog : app_.OwnedDialogs()) captions.push_back(WindowText(dialog));
  EXPECT_EQ(captions, std::vector<std::string>{kAboutCaption});
  PostMessageA(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntilHidden(about));
}

void AppTest::ExpectCleanTemp(char soundDigit) const {
  EXPECT_EQ(FilesIn(temp_), std::vector<std::string>{"sw_config.cfg"});
  EXPECT_EQ(ReadFileBytes(temp_ + "\\sw_config.cfg"),
            std::string("\r\n[SOUND] ") + soundDigit + "\r\n\r\n");
}
