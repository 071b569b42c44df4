#include "report_walk.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "standard_data.h"
#include "standard_tables.h"
#include "start_comparison.h"

namespace {

// A value as the report shows it, written to `room`.
class ValueText {
 public:
  ValueText(std::uint64_t value, bool allowance) {
    if (allowance) {
      text = value != 0 ? "yes" : "no";
    } else if (value == kNoDistance) {
      text = "none";
    } else {
      text = {room_, static_cast<std::size_t>(
                         std::to_chars(room_, room_ + kValueDigits, value).ptr - room_)};
    }
  }
  ValueText(const ValueText&) = delete;
  ValueText& operator=(const ValueText&) = delete;

 private:
  char room_[kValueDigits];

 public:
  std::string_view text;
};

constexpr std::string_view kStartTitle = "Player start change:-";
constexpr std::string_view kReachTitle = "Player reach change:-";

// Room for the title of a changed field.
constexpr std::size_t kFieldTitleRoom = 48;

// "Unit " or "Upgrade ", the field with spaces for underscores, " change:-" (e.g. "Unit sight
// range change:-"); written to `room`.
std::string_view FieldTitle(const FieldChange& change, char (&room)[kFieldTitleRoom]) {
  const std::string_view kind = std::strcmp(change.section, "UDTA") == 0 ? "Unit " : "Upgrade ";
  constexpr std::string_view kEnd = " change:-";
  const std::string_view field = change.field;
  // Field names fit the room: the made standard data is checked against kLongestFieldName.
  static_assert(std::string_view("Upgrade ").size() + kLongestFieldName + kEnd.size() <=
                kFieldTitleRoom);
  char* end = std::copy(kind.begin(), kind.end(), room);
  end = std::replace_copy(field.begin(), field.end(), end, '_', ' ');
  end = std::copy(kEnd.begin(), kEnd.end(), end);
  return {room, static_cast<std::size_t>(end - room)};
}

}  // namespace

void ReportWalk::AddDifference(const Difference& difference) {
  const StatisticReport& report = ReportOf(difference.statistic);
  if (difference.opensSection) view_.BeginGroup({report.title, report.spaced, &report});
  const ValueText standard(difference.standard, false);
  const ValueText value(difference.mapValue, false);
  view_.AddRow(
      {ShownName(difference.name), difference.name, standard.text, value.text, &difference});
}

void ReportWalk::AddChange(const FieldChange& change) {
  if (change.inReport) return;
  if (change.opensField) {
    char title[kFieldTitleRoom];
    view_.BeginGroup({FieldTitle(change, title), true, nullptr});
  }
  const ValueText standard(change.standard, false);
  const ValueText value(change.map, false);
  view_.AddRow({change.name, change.name, standard.text, value.text, nullptr});
}

void ReportWalk::AddStartChange(const StartChange& change) {
  if (change.opensGroup) view_.BeginGroup({kStartTitle, true, nullptr});
  char room[kStartNameRoom];
  const std::string_view name = SlotItemName(change.player, change.item, room);
  const ValueText usual(change.usual, change.allowance);
  const ValueText value(change.value, change.allowance);
  view_.AddRow({name, name, usual.text, value.text, nullptr});
}

void ReportWalk::AddReachChange(const ReachChange& change) {
  if (change.opensGroup) view_.BeginGroup({kReachTitle, true, nullptr});
  char room[kStartNameRoom];
  const std::string_view name =
      SlotItemName(change.player, kReachItemNames[static_cast<int>(change.item)], room);
  const ValueText usual(change.usual, false);
  const ValueText value(change.value, false);
  view_.AddRow({name, name, usual.text, value.text, nullptr});
}
