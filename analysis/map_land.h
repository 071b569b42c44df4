// A map's land as its sections give it: its size, its tileset, each tile's number (MTXM) and
// movement word (SQM), its owners and its units; and how a tile and a unit read.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "pud_unit_data.h"
#include "standard_data.h"

enum class Tileset { Forest, Winter, Wasteland, Swamp };

// The largest width and height a map may have, in tiles.
inline constexpr int kMapSideLimit = 256;

// One record of the unit section, as stored: x, y (16-bit each), type, owner, data (16-bit).
inline constexpr int kUnitRecordBytes = 8;
struct MapUnit {
  std::uint16_t x;  // its top-left tile
  std::uint16_t y;
  std::uint8_t type;
  std::uint8_t owner;  // the slot, 0 to 255
  std::uint16_t data;  // a mine's or oil patch's amount in 2,500s
};

inline constexpr int kGoldMine = 92;
inline constexpr int kOilPatch = 93;
inline constexpr int kHumanStart = 94;
inline constexpr int kOrcStart = 95;
inline constexpr int kOwnerSlots = 16;

// What OWNR says of a slot.
inline constexpr std::uint8_t kPersonOwner = 5;
inline constexpr std::uint8_t kRescuePassive = 6;
inline constexpr std::uint8_t kRescueActive = 7;

// Calls `visit` with each whole record of the map's first unit section, in order.
template <typename Visit>
void ForEachUnitRecord(PudFile& file, Visit visit) {
  const PudSection* units = file.First(FirstSection::UNIT);
  if (units == nullptr) return;
  unsigned char records[kUnitRecordBytes * 512];
  for (std::uint64_t at = 0;; at += sizeof records) {
    const std::size_t got = file.Read(*units, at, records, sizeof records);
    for (std::size_t i = 0; i + kUnitRecordBytes <= got; i += kUnitRecordBytes) {
      const unsigned char* record = &records[i];
      visit(MapUnit{static_cast<std::uint16_t>(LittleEndianValue(record, 2)),
                    static_cast<std::uint16_t>(LittleEndianValue(record + 2, 2)), record[4],
                    record[5], static_cast<std::uint16_t>(LittleEndianValue(record + 6, 2))});
    }
    if (got < sizeof records) return;
  }
}

struct MapLand {
  int width = 0;
  int height = 0;
  Tileset tileset = Tileset::Forest;
  std::vector<std::uint16_t> tiles;                // row by row, top row first
  std::vector<std::uint16_t> movement;             // likewise
  std::array<std::uint8_t, kOwnerSlots> owners{};  // 0 where the map has no OWNR byte
  std::vector<MapUnit> units;                      // those whose tile lies on the map, in order
};

// False when the map has no land to show: it does not walk as sections, or its first DIM does
// not give 1 to 256 tiles each way, or its first MTXM or SQM is not two bytes a tile.
bool ReadMapLand(PudFile& file, MapLand& land);

// The classes (1 to 12, light water to the second orc wall) of a tile's four quarters: upper
// left, upper right, lower left, lower right. A tile number of no known form has none: 0.
using QuarterClasses = std::array<std::uint8_t, 4>;
QuarterClasses ClassesOf(std::uint16_t tile);

// The tiles a unit covers from its top-left tile: its type's standard size; 1 x 1 for a type
// above 109. Either may be 0, and then it covers none.
struct Footprint {
  int width;
  int height;
};
Footprint FootprintOf(int type);

// A type whose standard flags mark it a building.
bool IsBuilding(int type);
