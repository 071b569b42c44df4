// The texts that every view of a report shares: the window, the checker and the page.
#pragma once

#include <string_view>

// The three columns of a report: the unit or item, the standard (or usual) value, the map's.
inline constexpr const char* kColumnNames[3] = {"Name", "Standard", "This pud"};

// Whether `heading` names the columns in order, blanks between them: a view's own layout of the
// column names.
constexpr bool IsColumnHeading(std::string_view heading) {
  bool first = true;
  for (const std::string_view name : kColumnNames) {
    const std::size_t start = heading.find_first_not_of(' ');
    if ((start == 0 && !first) || heading.substr(start, name.size()) != name) return false;
    heading.remove_prefix(start + name.size());
    first = false;
  }
  return heading.empty();
}

// A map that cannot be read.
inline constexpr char kFileInputError[] = "File input error";

// A map whose land cannot be read, so that it has no picture.
inline constexpr char kNoPicture[] =
    "No picture: the map does not give its size, tiles and movement";

// A search that found no map.
inline constexpr char kNoPudsFound[] = "Error - no puds found";

// The outcome as the program announces it.
constexpr const char* VerdictText(bool discrepancies) {
  return discrepancies ? "Warning - unit discrepancies found" : "No unit specials found";
}
