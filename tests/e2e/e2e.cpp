#include "e2e.h"

#include "sample_pud.h"

const Box kDiscrepancies{"Warning - unit discrepancies found", "Statwarden"};
const Box kClean{"No unit specials found", "Statwarden"};
const Box kFileInputError{"File input error", "AnalysePud"};
const Bytes kRiggedMap = [] {
  SamplePud map;
  SetMapValue(map.units, Statistic::BuildTime, 5, 200);
  SetMapValue(map.units, Statistic::GoldCost, 2, 45);
  SetMapValue(map.units, Statistic::HitPoints, 0, 100);
  return BuildPud(map);
}();
const Bytes kCleanMap = BuildPud(SamplePud{});
const std::vector<std::string> kRiggedLines = {"Build time change:-", "catapult\t\t\t250\t200", " ",
                                               "Gold cost change:-",  "peasant\t\t\t400\t450",  " ",
                                               "Hit Points change:-", "footman\t\t\t60\t100"};
const std::string kDriverTemp = [] {
  char folder[MAX_PATH];
  return std::string(folder, GetTempPathA(MAX_PATH, folder));
}();

void WriteMap(const std::string& path, const Bytes& bytes, WORD day, DWORD attributes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(path, now - std::chrono::days(40 - day));
  SetFileAttributesA(path.c_str(), attributes);
}

bool App::Start(const std::string& startFolder, const std::string& tempFolder) {
  End();
  // Inherited by the program, and kept: the tests' own folders are under kDriverTemp.
  SetEnvironmentVariableA("TMP", tempFolder.c_str());
  SetEnvironmentVariableA("TEMP", tempFolder.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" SW_STATWARDEN_EXE "\"";
  CreateProcessA(SW_STATWARDEN_EXE, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                 startFolder.c_str(), &startup, &process);
  // The window shows and the support files are written before the program first waits for input.
  WaitForInputIdle(process.hProcess, 10000);
  for (HWND top = nullptr; (top = FindWindowExA(nullptr, top, "Statwarden", nullptr));) {
    DWORD processId = 0;
    GetWindowThreadProcessId(top, &processId);
    if (processId == process.dwProcessId) window = top;
  }
  return window != nullptr;
}

std::vector<std::string> App::ListLines() const {
  HWND list = FindWindowExA(window, nullptr, "LISTBOX", nullptr);
  std::vector<std::string> lines;
  for (WPARAM i = 0; static_cast<LRESULT>(i) < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
    // Wide: LB_GETTEXT in ANSI across processes overruns its buffer under Wine.
    wchar_t line[256] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    lines.emplace_back();
    for (const wchar_t* c = line; *c != 0; ++c) lines.back() += static_cast<char>(*c);
  }
  return lines;
}

Outcome AppTest::Await(bool untilTunesEnd) {
  std::vector<HWND> boxes;
  for (int tries = 0; tries < 400 && (boxes = app_.Dialogs()).empty(); ++tries) Sleep(25);
  boxes.push_back(nullptr);
  // A tune is started before the box shows and plays for seconds.
  const Outcome outcome{{WindowText(GetDlgItem(boxes[0], 0xFFFF)), WindowText(boxes[0])},
                        !Processes("alm").empty(),
                        !Processes("hpy").empty()};
  SendMessageA(GetDlgItem(boxes[0], IDOK), BM_CLICK, 0, 0);
  WaitUntilHidden(boxes[0]);
  for (int tries = 0;
       untilTunesEnd && tries < 400 && Processes("alm").size() + Processes("hpy").size(); ++tries) {
    Sleep(25);
  }
  return outcome;
}
