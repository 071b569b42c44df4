// The start comparison: what each person's slot of a map starts with (gold, lumber, oil, units
// and buildings, what it may build, research and knows), against what most of them start with.
#pragma once

#include <cstddef>
#include <string_view>

#include "findings.h"
#include "pud_unit_data.h"

// Compares the person slots when there are two or more; true when any item differs.
bool CompareStarts(PudFile& file, StartSink& sink);

// Room for a change's name in the report, with its terminator.
inline constexpr std::size_t kStartNameRoom = 64;

// "<Color> <item>" of a slot's start or reach change, e.g. "Violet catapult", "Red home mine
// gold"; written to `room`.
std::string_view SlotItemName(int player, std::string_view item, char (&room)[kStartNameRoom]);
