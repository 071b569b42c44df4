// The report's grouping, walked once for every view: which groups a map's findings make, the
// title of each, and the row of each finding the report lists. A view only formats what it is
// handed: the window's lines, the checker's table and JSON sections, the page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "findings.h"
#include "statistic_comparison.h"

// The most digits a reported value can have: the gold a start reaches may pass 32 bits.
inline constexpr std::size_t kValueDigits = std::numeric_limits<std::uint64_t>::digits10 + 1;

// One group of the report: a statistic's differences, another field's changes, or the starts.
struct ReportGroup {
  std::string_view title;
  bool spaced;                       // a spacer stands before the title
  const StatisticReport* statistic;  // the seven statistics' groups; null for the others
};

// One row of a group: the unit, field or start item, the standard (or usual) value, the map's.
struct ReportRow {
  std::string_view name;  // as shown, without trailing blanks
  // As its table stores it, trailing blanks included: the window's lines count them.
  std::string_view storedName;
  std::string_view standard;  // a number, or "yes" or "no" for an allowance
  std::string_view value;
  const Difference* difference;  // the seven statistics' difference it shows; null for the others
};

class ReportView {
 public:
  // Comes before the first row of each group.
  virtual void BeginGroup(const ReportGroup& group) = 0;
  virtual void AddRow(const ReportRow& row) = 0;

 protected:
  ~ReportView() = default;
};

// Makes the findings the report's groups: a statistic's title before the difference that opens
// its section, then a row for each difference; for the other fields, the field's title before
// the change that opens it, then a row for each change that the seven statistics' groups do not
// list already; then the start title before the start comparison's first change, and a row for
// each: "<Color> <item>", the usual value, the slot's; and likewise the reach title and rows,
// a distance of no mine as "none".
class ReportWalk final : public Findings {
 public:
  explicit ReportWalk(ReportView& view) : view_(view) {}
  void AddDifference(const Difference& difference) override;
  void AddChange(const FieldChange& change) override;
  void AddStartChange(const StartChange& change) override;
  void AddReachChange(const ReachChange& change) override;

 private:
  ReportView& view_;
};
