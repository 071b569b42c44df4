// Map files made to order for tests and samples: the real section layout up to the upgrades,
// chosen unit data, every other field of the units and upgrades at the game's standard value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pud_unit_data.h"

// The game's standard values of the seven statistics for every unit type.
PudUnitData StandardUnitData();

// One element of any field of the unit data (UDTA) or the upgrades (UGRD), as the map stores it.
struct FieldValue {
  const char* section;
  const char* field;  // the column of the standard data
  int index;
  std::uint32_t value;
};

struct SamplePud {
  bool erax = true;                   // whether the optional ERAX section is present
  std::uint16_t defaultDataWord = 0;  // first word of the unit data: 0 means the map's own data
  PudUnitData units = StandardUnitData();
  std::vector<FieldValue> fields;  // stored after the seven statistics of `units`
};

// Stores `value` (in the map's own units) as one statistic of one unit.
void SetMapValue(PudUnitData& data, Statistic statistic, int unit, unsigned value);

// The whole file.
std::vector<std::uint8_t> BuildPud(const SamplePud& sample);

bool WritePud(const std::string& path, const SamplePud& sample);

// Maps laid out anew, for checking that no layout hides a map's unit data. Each takes the bytes of
// a map that walks as sections (4-byte tag, 32-bit little-endian length, data), acts on the first
// section with the tag named, and gives back the bytes of the new map. `before` names the section
// to stand in front of; nullptr puts the section last.

// The data of section `tag`; empty when the map has none.
std::vector<std::uint8_t> SectionData(const std::vector<std::uint8_t>& pud, const char* tag);
std::vector<std::uint8_t> MoveSection(const std::vector<std::uint8_t>& pud, const char* tag,
                                      const char* before);
std::vector<std::uint8_t> InsertSection(const std::vector<std::uint8_t>& pud, const char* tag,
                                        const std::vector<std::uint8_t>& data, const char* before);
std::vector<std::uint8_t> RemoveSection(const std::vector<std::uint8_t>& pud, const char* tag);
// The data of section `tag` cut, or padded with zeros, to `size` bytes.
std::vector<std::uint8_t> ResizeSection(const std::vector<std::uint8_t>& pud, const char* tag,
                                        std::size_t size);
