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
  const unsigned char* values;  // the standard value of each element, as a map stores it
};

// The value of `count` little-endian bytes.
inline std::uint32_t LittleEndianValue(const unsigned char* bytes, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

// The standard value of element `i` of `field`.
inline std::uint32_t StandardValue(const StandardField& field, std::size_t i) {
  return LittleEndianValue(field.values + i * field.bytes, field.bytes);
}

struct StandardSection {
  const char* tag;
  std::size_t size;  // bytes of data that hold the fields
  const StandardField* fields;
  std::size_t fieldCount;
  const char* const* names;  // of each unit type or upgrade: plain public names
  std::size_t elements;
};

// Bounds the made definitions are checked against: the most bytes of data a section's fields
// take, and the longest field name.
inline constexpr std::size_t kLargestStandardSection = 5696;
inline constexpr std::size_t kLongestFieldName = 24;

extern const StandardSection kStandardUnitData;
extern const StandardSection kStandardUpgrades;

// What each bit of an allowance array of the start stands for: the unit type (units allowed) or
// the upgrade (the spell and upgrade arrays) of a human slot and of an orc slot.
inline constexpr unsigned char kUnusedBit = 255;

struct StartAllowance {
  const char* array;   // the data tables' name
  std::size_t offset;  // of the array in the allowance section (ALOW), which holds 32 bits a slot
  unsigned char human[32];
  unsigned char orc[32];
};

// Units allowed, spells known at the start, spells allowed, upgrades allowed.
extern const StartAllowance kStartAllowances[4];

// The colour (0xRRGGBB) of each terrain class of the map's picture, by tileset (forest, winter,
// wasteland, swamp) and class (1 to 12; 0 for a tile of no class: magenta).
extern const std::uint32_t kTerrainColors[4][13];

// The standard footprint of each unit type, in tiles (either may be 0), and whether it is a
// building.
struct UnitShape {
  std::uint16_t width;
  std::uint16_t height;
  bool building;
};
extern const UnitShape kUnitShapes[110];
