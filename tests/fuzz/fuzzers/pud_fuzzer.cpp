// The reader and report on any bytes: a file that exists is read; the game's own data has no
// report; discrepancies exactly when a line was written or more unit-data sections than are read;
// no line longer than a report line can be, and no spacer line at the end.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

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
    ++lines_;
    lastIsSpacer_ = line == kSpacerLine;
  }

  void Finish(const Analysis& analysis) const {
    if (analysis.outcome == ReadOutcome::OpenFailed) Fail("a file that exists was not read");
    if (analysis.outcome == ReadOutcome::DefaultDataSet && lines_ != 0)
      Fail("lines written for a map with the game's own unit data");
    const bool unread = PudFile(inputPath.c_str()).UnitData().more;
    if (analysis.discrepancies != (lines_ != 0 || unread)) Fail("verdict and lines disagree");
    if (lastIsSpacer_) Fail("the report ends with a spacer line");
  }

 private:
  int lines_ = 0;
  bool lastIsSpacer_ = false;
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
  InvariantChecker checker;
  checker.Finish(AnalysePud(inputPath.c_str(), checker));
  return 0;
}
