// The reach comparison: what each person slot's start can reach over the land, walking as a land
// unit (the nearest gold mine, the gold close by, the rescuable units close by), against the
// median of the slots.
#pragma once

#include "findings.h"
#include "map_land.h"
#include "pud_unit_data.h"

// Measures what each person slot's start reaches.
void MeasureReach(const MapLand& land, MapReach& reach);

// Hands the map's reach (none without land), then, among two or more starts, the changes; true
// when any item differs.
bool CompareReach(PudFile& file, ReachSink& sink);
