// The reader and report on any bytes, read from memory, with and without the thorough check and
// the start comparison: the map is read; the game's own data has no report of the seven
// statistics; discrepancies exactly when a line was written or more sections than are read; no
// line longer than a report line can be, and no spacer line at the end; the thorough report
// begins with the seven statistics' one. The picture has two by two pixels a tile; each start
// that reaches no mine has no gold from one, and a home mine within 12 is counted in the gold
// within 12.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "map_picture.h"
#include "report_lines.h"
#include "start_reach.h"

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

  MapLand land;
  if (!ReadMapLand(file, land)) return 0;
  Picture picture;
  DrawPicture(land, picture);
  if (picture.rgb.size() != static_cast<std::size_t>(land.width * land.height) * 12)
    Fail("a picture not of two by two pixels a tile");
  MapReach reach;
  MeasureReach(land, reach);
  for (const StartReach& start : std::span(reach.starts, static_cast<std::size_t>(reach.count))) {
    const auto item = [&](ReachItem which) { return start.values[static_cast<int>(which)]; };
    const std::uint64_t distance = item(ReachItem::HomeMineDistance);
    if (start.homeMine == (distance == kNoDistance) ||
        (!start.homeMine && item(ReachItem::HomeMineGold) != 0))
      Fail("a home mine and its distance disagree");
    if (distance <= 12 && item(ReachItem::GoldWithin12) < item(ReachItem::HomeMineGold))
      Fail("a home mine within 12 missing from the gold within 12");
  }
  return 0;
}
