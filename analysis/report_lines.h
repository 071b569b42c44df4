// The window's view of a report: the lines of its list.
#pragma once

#include <cstddef>
#include <string_view>

#include "findings.h"
#include "pud_unit_data.h"
#include "report_walk.h"
#include "standard_tables.h"

// The longest line of a report, in characters: a row with a name that fills its field, at most
// three tabs, two values and the tab between them.
inline constexpr std::size_t kMaxReportLine = kNameField + 3 + kValueDigits + 1 + kValueDigits;

// Where the report's lines go, one at a time, each at most kMaxReportLine characters.
class ReportSink {
 public:
  virtual void AddLine(std::string_view line) = 0;

 protected:
  ~ReportSink() = default;
};

// The line written before every group's title but the first statistic's.
inline constexpr std::string_view kSpacerLine = " ";

// One row's line: the name (at most kNameField characters of it), one to three tabs by its
// length, the standard value, a tab, the map's value (at most kValueDigits characters each).
void AddReportLine(std::string_view name, std::string_view standard, std::string_view mapValue,
                   ReportSink& sink);

// The groups as lines: the spacer line where a group has one, its title, a line for each row.
class ReportLines final : public ReportView {
 public:
  explicit ReportLines(ReportSink& sink) : sink_(sink) {}
  void BeginGroup(const ReportGroup& group) override;
  void AddRow(const ReportRow& row) override;

 private:
  ReportSink& sink_;
};

// Analyses the open map and writes the report's lines: the thorough check's and the start
// comparison's, with `allFields`, after the seven statistics'.
Analysis AnalysePud(PudFile& file, ReportSink& sink, bool allFields = false);

// The same for the map named `pudName` (in UTF-8 when `utf8Name` is set, see PudFile).
Analysis AnalysePud(const char* pudName, ReportSink& sink, bool utf8Name = false,
                    bool allFields = false);
