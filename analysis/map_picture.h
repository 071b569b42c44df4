// The picture of a map: two by two pixels a tile, one a quarter, in the colours of the map's
// tileset, with its units on top.
#pragma once

#include <cstdint>
#include <vector>

#include "findings.h"
#include "map_land.h"

// The colour (0xRRGGBB) that marks the units of slots 0 to 7; others' are neutral grey.
inline constexpr std::uint32_t kOwnerColors[kPlayerSlots] = {
    0xc00000, 0x0000c0, 0x00ff00, 0x8000c0, 0xff8000, 0x000000, 0xffffff, 0xffd000};
// Gold mines and oil patches, whoever owns them.
inline constexpr std::uint32_t kGoldMineColor = 0xffff00;
inline constexpr std::uint32_t kOilPatchColor = 0x000000;

inline constexpr int kPixelsPerTile = 2;

struct Picture {
  int width = 0;  // pixels
  int height = 0;
  std::vector<std::uint8_t> rgb;  // three bytes a pixel, row by row, top row first
};

void DrawPicture(const MapLand& land, Picture& picture);
