// The thorough check: every field of a map's unit data and upgrades, graphics aside, compared
// with the game's standard data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pud_unit_data.h"

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

// Where the changes go, in layout order (the unit data's sections in turn, then the upgrades'),
// then by index.
class ChangeSink {
 public:
  virtual void AddChange(const FieldChange& change) = 0;

 protected:
  ~ChangeSink() = default;
};

// Compares every field of each unit-data and upgrade section of the map; a section whose
// default-data flag is set has no changes. True when any field differs, or when the map has
// more sections of a kind than are kept.
bool CheckAllFields(PudFile& file, ChangeSink& sink);

// The name the thorough check gives unit type `type` (0 to 109): the report's where its tables
// have one, else the data's.
std::string_view UnitName(int type);

// Room for the title of a changed field, with its terminator.
inline constexpr std::size_t kFieldTitleRoom = 48;

// The title over the changes of a field: "Unit " or "Upgrade ", the field with spaces for
// underscores, " change:-" (e.g. "Unit sight range change:-"); written to `room`.
std::string_view FieldTitle(const FieldChange& change, char (&room)[kFieldTitleRoom]);
