// The reader and report on any bytes, read from memory, with and without the thorough check and
// the start comparison: the map is read; the game's own data has no report of the seven
// statistics; discrepancies exactly when a line was written or more sections than are read; no
// line longer than a report line can be, and no spacer line at the end; the thorough report
// begins with the seven statistics' one.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "report_lines.h"

namespace {

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

  void Finish(const Analysis& analysis, const PudFile& file, bool allFields) const {
    if (!allFields && analysis.outcome == ReadOutcome::DefaultDataSet && !lines.empty())
      Fail("lines written for a map with the game's own unit data");
    const bool unread = file.UnitData().more || (allFields && file.Upgrades().more);
    if (analysis.discrepancies != (!lines.empty() || unread)) Fail("verdict and lines disagree");
    if (!lines.empty() && lines.back() == kSpacerLine) Fail("the report ends with a spacer line");
  }

  std::vector<std::string> lines;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PudFile file(data, size);
  if (!file.IsOpen()) Fail("a map in memory was not read");
  InvariantChecker seven, every;
  seven.Finish(AnalysePud(file, seven), file, false);
  every.Finish(AnalysePud(file, every, true), file, true);
  if (every.lines.size() < seven.lines.size() ||
      !std::equal(seven.lines.begin(), seven.lines.end(), every.lines.begin()))
    Fail("the thorough report does not begin with the seven statistics' one");
  return 0;
}
