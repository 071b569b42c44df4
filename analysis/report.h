// The discrepancy report: the seven comparisons of a map with the standard tables.
#pragma once

#include <cstddef>
#include <limits>
#include <string_view>

#include "pud_unit_data.h"
#include "standard_tables.h"
#include "start_comparison.h"
#include "thorough_check.h"

// The most digits a reported value can have.
inline constexpr std::size_t kValueDigits = std::numeric_limits<unsigned>::digits10 + 1;

// The longest line of a report, in characters: a difference line with a name that fills its
// field, at most three tabs, two values and the tab between them.
inline constexpr std::size_t kMaxReportLine = kNameField + 3 + kValueDigits + 1 + kValueDigits;

// One unit whose statistic differs from the standard, with both values as the report shows them
// (costs in full).
struct Difference {
  Statistic statistic;
  int unit;
  const char* name;  // the standard table's name, exactly as stored
  unsigned standard;
  unsigned mapValue;
  bool opensSection;  // the first difference of its statistic in its unit-data section
};

// Where the comparisons hand their findings, in report order: unit-data section by section,
// statistic by statistic, unit by unit.
class DifferenceSink {
 public:
  virtual void AddDifference(const Difference& difference) = 0;

 protected:
  ~DifferenceSink() = default;
};

// Where the report's lines go, one at a time, each at most kMaxReportLine characters.
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
  const char* field;  // the unit data's field that holds it, as the thorough check names it
  const char* title;  // the section's title line
  bool spaced;        // whether a " " line goes before the title
  unsigned scale;     // stored value times this is the value shown
};

const StatisticReport& ReportOf(Statistic statistic);

// The line written before every section title but the first statistic's.
inline constexpr std::string_view kSpacerLine = " ";

// One difference line: the name (at most kNameField characters of it), one to three tabs by its
// length, the standard value, a tab, the map's value.
void AddReportLine(std::string_view name, unsigned standard, unsigned mapValue, ReportSink& sink);
// The same with the values as text (at most kValueDigits characters each).
void AddReportLine(std::string_view name, std::string_view standard, std::string_view mapValue,
                   ReportSink& sink);

// The title over the start comparison's changes.
inline constexpr std::string_view kStartTitle = "Player start change:-";

// A value as the report shows it: a number, or "yes" or "no" for an allowance; written to
// `room`.
std::string_view ValueText(std::uint32_t value, bool allowance, char (&room)[kValueDigits]);

// A start change as the report's three columns show it: "<Color> <item>", the usual value, the
// slot's.
class StartChangeText {
 public:
  explicit StartChangeText(const StartChange& change)
      : name(StartChangeName(change, nameRoom_)),
        usual(ValueText(change.usual, change.allowance, usualRoom_)),
        value(ValueText(change.value, change.allowance, valueRoom_)) {}
  StartChangeText(const StartChangeText&) = delete;
  StartChangeText& operator=(const StartChangeText&) = delete;

 private:
  char nameRoom_[kStartNameRoom];
  char usualRoom_[kValueDigits];
  char valueRoom_[kValueDigits];

 public:
  const std::string_view name;
  const std::string_view usual;
  const std::string_view value;
};

// The report's lines for the differences and field changes handed to it: the title of a
// statistic (after the spacer line where it has one) before the difference that opens its
// section, then a line for each difference; for the other fields, the spacer line and the field's
// title before the change that opens it, then a line for each change the seven statistics'
// sections do not list already; then the spacer line and the start title before the start
// comparison's first change, and a line for each: "<Color> <item>", the usual value, the slot's.
class ReportLines final : public DifferenceSink, public ChangeSink, public StartSink {
 public:
  explicit ReportLines(ReportSink& sink) : sink_(sink) {}
  void AddDifference(const Difference& difference) override;
  void AddChange(const FieldChange& change) override;
  void AddStartChange(const StartChange& change) override;

 private:
  ReportSink& sink_;
};

// Compares one statistic of a unit-data section; true when anything differs.
bool CompareStat(Statistic statistic, const PudUnitData& data, DifferenceSink& sink);

// Whether CompareStat reports `mapValue` (as shown: costs in full) of `unit` as a difference.
bool ReportsDifference(Statistic statistic, int unit, unsigned mapValue);

struct Analysis {
  // DefaultDataSet when the map has no unit data of its own to compare: none, or only sections
  // with the default-data flag set.
  ReadOutcome outcome;
  bool discrepancies;  // at least one difference was found
};

// The seven comparisons for each unit-data section of the map in turn. The map is clean only
// when every section is; one with more sections than are kept is never clean.
Analysis AnalyseUnitData(PudFile& file, DifferenceSink& sink);

// The seven comparisons and, with `allFields`, the thorough check and the start comparison after
// them: then any field that differs, or any start, makes the map not clean.
Analysis AnalyseMap(PudFile& file, DifferenceSink& differences, ChangeSink& changes,
                    StartSink& starts, bool allFields);

// Analyses the open map and writes the report's lines: the thorough check's and the start
// comparison's, with `allFields`, after the seven statistics'.
Analysis AnalysePud(PudFile& file, ReportSink& sink, bool allFields = false);

// The same for the map named `pudName` (in UTF-8 when `utf8Name` is set, see PudFile).
Analysis AnalysePud(const char* pudName, ReportSink& sink, bool utf8Name = false,
                    bool allFields = false);

// The outcome as the program announces it.
const char* VerdictText(bool discrepancies);
