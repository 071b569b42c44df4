// The game's standard unit statistics, one table per statistic, and the walk over a table.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "pud_unit_data.h"

// One row of a standard table. The first name byte carries the table's marks.
struct StandardRow {
  unsigned value;    // in the map's own units (costs in tens)
  const char* name;  // exactly as stored, trailing blanks included
};

inline constexpr char kEndMark = 'X';
inline constexpr char kSkipMark = '\xFF';

// The longest a name can be: the bytes of its table field.
inline constexpr std::size_t kNameField = 25;

// Rows 0 to 100 of each table; row 100 is the end row.
inline constexpr int kStandardRows = 101;

using StandardTable = std::array<StandardRow, kStandardRows>;

const StandardTable& StandardTableOf(Statistic statistic);

inline const StandardRow& StandardTableRow(Statistic statistic, int row) {
  return StandardTableOf(statistic)[static_cast<std::size_t>(row)];
}

// A table name as the command line shows it: without the trailing blanks some names carry.
inline std::string_view ShownName(const char* name) {
  const std::string_view text(name);
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

// Rows with a mark are visited but never reported.
inline bool IsReportable(const char* name) { return name[0] != kEndMark && name[0] != kSkipMark; }

// Visits row 0, then each following row until one whose name starts with the end mark.
template <typename Visit>
void WalkStandardTable(Statistic statistic, Visit visit) {
  const StandardTable& table = StandardTableOf(statistic);
  std::size_t row = 0;
  do {
    visit(static_cast<int>(row), table[row]);
    ++row;
  } while (row < table.size() && table[row].name[0] != kEndMark);
}
