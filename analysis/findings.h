// What the checks of a map find, as data: the seven statistics' differences, the other fields'
// changes, the person slots and their unequal starts, what each start reaches, and the outcome. The
// views (the window's lines, the checker's table and JSON, the page) take these and nothing else.
#pragma once

#include <cstdint>
#include <string_view>

#include "pud_unit_data.h"

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

// Where the seven comparisons hand their findings, in report order: unit-data section by section,
// statistic by statistic, unit by unit.
class DifferenceSink {
 public:
  virtual void AddDifference(const Difference& difference) = 0;

 protected:
  ~DifferenceSink() = default;
};

// One field of one unit type or upgrade that differs from the standard.
struct FieldChange {
  const char* section;     // "UDTA" or "UGRD"
  const char* field;       // the column of the standard data tables
  int index;               // the unit type or upgrade
  std::string_view name;   // the report's name where its tables have one, else the data's
  std::uint32_t standard;  // both as shown: unit costs in full, as in the report
  std::uint32_t map;
  // The seven statistics' report lists this change already (the same section, unit and
  // statistic): the views of the report leave it out, the data keeps it.
  bool inReport;
  bool opensField;  // the first change of its field in its section that is not in the report
};

// Where the thorough check hands the changes, in layout order (the unit data's sections in turn,
// then the upgrades'), then by index.
class ChangeSink {
 public:
  virtual void AddChange(const FieldChange& change) = 0;

 protected:
  ~ChangeSink() = default;
};

inline constexpr int kPlayerSlots = 8;

// The colours of slots 1 to 8.
inline constexpr const char* kPlayerColors[kPlayerSlots] = {"Red",    "Blue",  "Green", "Violet",
                                                            "Orange", "Black", "White", "Yellow"};

struct PersonSlot {
  int player;  // 1 to 8
  bool orc;
};

// The slots that persons play, in slot order.
struct StartPlayers {
  int count = 0;
  PersonSlot slots[kPlayerSlots]{};
};

// One person slot that starts otherwise than the usual.
struct StartChange {
  int player;             // 1 to 8
  std::string_view item;  // "gold", a unit of the slot's race, "... allowed", "... known"
  std::uint32_t usual;    // what most person slots start with
  std::uint32_t value;
  bool allowance;   // the values are 1 or 0: yes or no
  bool opensGroup;  // the map's first change
};

// Where the start comparison hands the person slots, then the changes: item by item in the order
// gold, lumber, oil, the kinds of units, the allowances; slot by slot within an item.
class StartSink {
 public:
  // Once a map, before its changes; no slots for a map that does not walk as sections.
  virtual void AddPlayers(const StartPlayers&) {}
  virtual void AddStartChange(const StartChange& change) = 0;

 protected:
  ~StartSink() = default;
};

// What each person slot's start can reach, compared item by item.
enum class ReachItem { HomeMineGold, HomeMineDistance, GoldWithin12, RescuableWithin20 };
inline constexpr int kReachItems = 4;
inline constexpr std::string_view kReachItemNames[kReachItems] = {
    "home mine gold", "home mine distance", "gold within 12", "rescuable units within 20"};

// The distance of a start that reaches no mine: "none", farther than any.
inline constexpr std::uint64_t kNoDistance = UINT64_MAX;

// What one person slot's start reaches.
struct StartReach {
  int player;  // 1 to 8
  int x;       // the start location's tile
  int y;
  // The home mine, the reached gold mine of least distance: its top-left tile, when one is.
  bool homeMine;
  int mineX;
  int mineY;
  std::uint64_t values[kReachItems];  // by ReachItem: the home mine's gold (0 without one), ...
};

// The person slots with a start location, in slot order.
struct MapReach {
  int count = 0;
  StartReach starts[kPlayerSlots]{};
};

// One person slot whose start reaches otherwise than the usual: the median of the slots.
struct ReachChange {
  int player;  // 1 to 8
  ReachItem item;
  std::uint64_t usual;  // a distance may be kNoDistance
  std::uint64_t value;
  bool opensGroup;  // the map's first change
};

// Where the reach comparison hands what each start reaches, then the changes: item by item in
// the order of ReachItem, slot by slot within an item.
class ReachSink {
 public:
  // Once a map, before its changes; null for a map without land to walk (no picture).
  virtual void AddReach(const MapReach*) {}
  virtual void AddReachChange(const ReachChange& change) = 0;

 protected:
  ~ReachSink() = default;
};

// Takes everything the checks of a map find.
class Findings : public DifferenceSink, public ChangeSink, public StartSink, public ReachSink {
 protected:
  ~Findings() = default;
};

struct Analysis {
  // DefaultDataSet when the map has no unit data of its own to compare: none, or only sections
  // with the default-data flag set.
  ReadOutcome outcome;
  bool discrepancies;  // at least one difference was found
};
