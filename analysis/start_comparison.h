// The start comparison: what each person's slot of a map starts with (gold, lumber, oil, units
// and buildings, what it may build, research and knows), against what most of them start with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pud_unit_data.h"

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

// Where the comparison hands the person slots, then the changes: item by item in the order
// gold, lumber, oil, the kinds of units, the allowances; slot by slot within an item.
class StartSink {
 public:
  // Once a map, before its changes; no slots for a map that does not walk as sections.
  virtual void AddPlayers(const StartPlayers&) {}
  virtual void AddStartChange(const StartChange& change) = 0;

 protected:
  ~StartSink() = default;
};

// Compares the person slots when there are two or more; true when any item differs.
bool CompareStarts(PudFile& file, StartSink& sink);

// Room for a change's name in the report, with its terminator.
inline constexpr std::size_t kStartNameRoom = 64;

// "<Color> <item>", e.g. "Violet catapult"; written to `room`.
std::string_view StartChangeName(const StartChange& change, char (&room)[kStartNameRoom]);
