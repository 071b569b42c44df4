#include "map_picture.h"

#include <algorithm>

#include "standard_data.h"

namespace {

constexpr std::uint32_t kNeutralColor = 0xa2a2a6;

void Paint(std::uint8_t* pixel, std::uint32_t color) {
  pixel[0] = static_cast<std::uint8_t>(color >> 16);
  pixel[1] = static_cast<std::uint8_t>(color >> 8);
  pixel[2] = static_cast<std::uint8_t>(color);
}

}  // namespace

void DrawPicture(const MapLand& land, Picture& picture) {
  picture.width = land.width * kPixelsPerTile;
  picture.height = land.height * kPixelsPerTile;
  const auto row = static_cast<std::size_t>(picture.width) * 3;
  picture.rgb.resize(row * static_cast<std::size_t>(picture.height));
  const std::uint32_t* colors = kTerrainColors[static_cast<int>(land.tileset)];
  const auto pixelAt = [&](int x, int y) {
    return &picture.rgb[static_cast<std::size_t>(y) * row + static_cast<std::size_t>(x) * 3];
  };

  for (int y = 0; y < land.height; ++y) {
    for (int x = 0; x < land.width; ++x) {
      const QuarterClasses classes =
          ClassesOf(land.tiles[static_cast<std::size_t>(y * land.width + x)]);
      for (int quarter = 0; quarter < 4; ++quarter) {
        Paint(pixelAt(2 * x + (quarter & 1), 2 * y + (quarter >> 1)),
              colors[classes[static_cast<std::size_t>(quarter)]]);
      }
    }
  }

  for (const MapUnit& unit : land.units) {
    if (unit.type == kHumanStart || unit.type == kOrcStart) continue;
    const std::uint32_t color = unit.type == kGoldMine      ? kGoldMineColor
                                : unit.type == kOilPatch    ? kOilPatchColor
                                : unit.owner < kPlayerSlots ? kOwnerColors[unit.owner]
                                                            : kNeutralColor;
    const Footprint footprint = FootprintOf(unit.type);
    const int right = std::min(land.width, unit.x + footprint.width) * kPixelsPerTile;
    const int bottom = std::min(land.height, unit.y + footprint.height) * kPixelsPerTile;
    for (int y = unit.y * kPixelsPerTile; y < bottom; ++y) {
      for (int x = unit.x * kPixelsPerTile; x < right; ++x) Paint(pixelAt(x, y), color);
    }
  }
}
