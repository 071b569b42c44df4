// Map files made to order for tests and samples: the real section layout, chosen unit data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pud_unit_data.h"

// The game's standard values for every unit the standard tables hold.
PudUnitData StandardUnitData();

struct SamplePud {
  bool erax = true;                   // whether the optional ERAX section is present
  std::uint16_t defaultDataWord = 0;  // first word of the unit data: 0 means the map's own data
  PudUnitData units = StandardUnitData();
};

// Stores `value` (in the map's own units) as one statistic of one unit.
void SetMapValue(PudUnitData& data, Statistic statistic, int unit, unsigned value);

// The whole file.
std::vector<std::uint8_t> BuildPud(const SamplePud& sample);

bool WritePud(const std::string& path, const SamplePud& sample);
