// The thorough check: every field of a map's unit data and upgrades, graphics aside, compared
// with the game's standard data.
#pragma once

#include <string_view>

#include "findings.h"
#include "pud_unit_data.h"

// Compares every field of each unit-data and upgrade section of the map; a section whose
// default-data flag is set has no changes. True when any field differs, or when the map has
// more sections of a kind than are kept.
bool CheckAllFields(PudFile& file, ChangeSink& sink);

// The name the thorough check gives unit type `type` (0 to 109): the report's where its tables
// have one, else the data's.
std::string_view UnitName(int type);
