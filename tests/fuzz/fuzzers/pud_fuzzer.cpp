// The reader and report on any bytes, with and without the thorough check: a file that exists is
// read; the game's own data has no report of the seven statistics; discrepancies exactly when a
// line was written or more sections than are read; no line longer than a report line can be, and
// no spacer line at the end; the thorough report begins with the seven statistics' one.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "report.h"

namespace {

std::string inputPath;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "report: %s\n", what);
  std::abort();
}

class InvariantChecker : public ReportSink {
 public:
  void AddLine(std::string_view line) override {
    if (line.size() > kMaxReportLine) Fail("a line longer than a report line can be");
    lines.emplace_back(line);
  }

  void Finish(const Analysis& analysis, bool allFields) const {
    if (analysis.outcome == ReadOutcome::OpenFailed) Fail("a file that exists was not read");
    if (!allFields && analysis.outcome == ReadOutcome::DefaultDataSet && !lines.empty())
      Fail("lines written for a map with the game's own unit data");
    const PudFile file(inputPath.c_str());
    const bool unread = file.UnitData().more || (allFields && file.Upgrades().more);
    if (analysis.discrepancies != (!lines.empty() || unread)) Fail("verdict and lines disagree");
    if (!lines.empty() && lines.back() == kSpacerLine) Fail("the report ends with a spacer line");
  }

  std::vector<std::string> lines;
};

void RemoveInputFile() { std::remove(inputPath.c_str()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  inputPath =
      (std::filesystem::temp_directory_path() / ("pud_fuzzer-" + std::to_string(getpid()) + ".pud"))
          .string();
  std::atexit(RemoveInputFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(inputPath.c_str(), "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
    std::perror(inputPath.c_str());
    std::abort();
  }
  InvariantChecker seven, every;
  seven.Finish(AnalysePud(inputPath.c_str(), seven), false);
  every.Finish(AnalysePud(inputPath.c_str(), every, false, true), true);
  if (every.lines.size() < seven.lines.size() ||
      !std::equal(seven.lines.begin(), seven.lines.end(), every.lines.begin()))
    Fail("the thorough report does not begin with the seven statistics' report");
  return 0;
}
