// The discrepancy report: the seven comparisons of a map with the standard tables.
#pragma once

#include <cstddef>
#include <limits>
#include <string_view>

#include "pud_unit_data.h"
#include "standard_tables.h"

// The most digits a reported value can have.
inline constexpr std::size_t kValueDigits = std::numeric_limits<unsigned>::digits10 + 1;

// The longest line of a report, in characters: a difference line with a name that fills its
// field, at most three tabs, two values and the tab between them.
inline constexpr std::size_t kMaxReportLine = kNameField + 3 + kValueDigits + 1 + kValueDigits;

// Where the report goes, one line at a time, each at most kMaxReportLine characters; the
// analysis writes nowhere else.
class ReportSink {
 public:
  virtual void AddLine(std::string_view line) = 0;

 protected:
  ~ReportSink() = default;
};

// How one statistic is reported.
struct StatisticReport {
  Statistic statistic;
  const char* key;    // the statistic's name in machine-readable output
  const char* title;  // the section's title line
  bool spaced;        // whether a " " line goes before the title
  unsigned scale;     // stored value times this is the value shown
};

const StatisticReport& ReportOf(Statistic statistic);

// The line written before every section title but the first statistic's.
inline constexpr std::string_view kSpacerLine = " ";

// One difference line: the name, one to three tabs by its length, the standard value, a tab,
// the map's value.
void AddReportLine(const char* name, unsigned standard, unsigned mapValue, ReportSink& sink);

// Writes the section of one statistic (nothing when nothing differs); true when it wrote any.
bool CompareStat(Statistic statistic, const PudUnitData& data, ReportSink& sink);

struct Analysis {
  ReadOutcome outcome;
  bool discrepancies;  // at least one difference line was written
};

// Reads the map named `pudName` and reports every difference from the standard tables.
Analysis AnalysePud(const char* pudName, ReportSink& sink);

// The outcome as the program announces it.
const char* VerdictText(bool discrepancies);
