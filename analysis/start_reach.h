// The reach comparison: what each person slot's start can reach over the land, walking as a land
// unit (the nearest gold mine, the gold close by, the rescuable units close by), against the
// median of the slots.
#pragma once

#include "findings.h"
#include "map_land.h"
#include "pud_unit_data.h"

// Measures what each person slot's start reaches.
void MeasureReach(const MapLand& land, MapReach& reach);

// Among two or more starts, hands each item of a start that differs from the usual, the median
// of the starts (the lower middle one of an even number); true when any does.
bool CompareReach(const MapReach& reach, ReachSink& sink);

// Hands the map's reach (none without land), then compares it.
bool CompareReach(PudFile& file, ReachSink& sink);
