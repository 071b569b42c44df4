// The game's standard unit data (UDTA) and upgrades (UGRD), field by field, as a map stores them.
// The build makes the definitions from the tables in data/.
#pragma once

#include <cstddef>
#include <cstdint>

// One field of a section: an array of little-endian values, one per unit type or upgrade.
struct StandardField {
  const char* name;             // the column of the data tables
  std::size_t offset;           // of element 0, within the section's data
  std::size_t count;            // elements
  std::size_t bytes;            // per element
  const std::uint32_t* values;  // the standard value of each element
};

struct StandardSection {
  const char* tag;
  std::size_t size;  // bytes of data that hold the fields
  const StandardField* fields;
  std::size_t fieldCount;
  const char* const* names;  // of each unit type or upgrade: plain public names
  std::size_t elements;
};

extern const StandardSection kStandardUnitData;
extern const StandardSection kStandardUpgrades;
