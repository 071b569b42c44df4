#include "start_reach.h"

#include <algorithm>
#include <array>

namespace {

// What entering a tile costs a walking unit; 0: it cannot.
constexpr std::uint8_t kNoEntry = 0;
constexpr std::uint8_t kOpenCost = 1;
constexpr std::uint8_t kForestCost = 5;  // to cut through
constexpr std::uint8_t kWallCost = 9;    // to break through
constexpr std::uint8_t kRocksCost = 17;  // to blast through
constexpr std::uint8_t kMostCost = kRocksCost;

// Movement words that let no land unit in: shore, water, and a land unit, a sea unit or a
// building standing there; and the word of a tile that is blocked until it is cleared.
constexpr std::uint16_t kNoLandUnit = 0x02 | 0x40 | 0x100 | 0x400 | 0x800;
constexpr std::uint16_t kBlocked = 0x80;

constexpr std::uint64_t kGoldPerData = 2500;
constexpr std::uint64_t kNearGold = 12;
constexpr std::uint64_t kNearRescuable = 20;

constexpr std::uint32_t kUnreached = UINT32_MAX;

// What clearing a blocked tile costs by what it shows, as the picture reads it: forest, a wall,
// rocks in any quarter (a mixed tile pairs one of them with open land); nothing else clears.
std::uint8_t ClearingCost(std::uint16_t tile) {
  constexpr std::uint8_t kCostOfClass[13] = {
      kNoEntry,    kNoEntry,   kNoEntry,  kNoEntry,  kNoEntry,  kNoEntry, kNoEntry,
      kForestCost, kRocksCost, kWallCost, kWallCost, kWallCost, kWallCost};
  std::uint8_t cost = kNoEntry;
  for (const std::uint8_t quarter : ClassesOf(tile)) cost = std::max(cost, kCostOfClass[quarter]);
  return cost;
}

// The tiles a unit covers, clipped to the map.
struct Area {
  int left;
  int top;
  int right;  // past the last
  int bottom;

  bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

Area AreaOf(const MapLand& land, const MapUnit& unit) {
  const Footprint footprint = FootprintOf(unit.type);
  return {unit.x, unit.y, std::min(land.width, unit.x + footprint.width),
          std::min(land.height, unit.y + footprint.height)};
}

bool Empty(const Area& area) { return area.left >= area.right || area.top >= area.bottom; }

bool Rescuable(const MapLand& land, const MapUnit& unit) {
  if (unit.type == kHumanStart || unit.type == kOrcStart || unit.owner >= kOwnerSlots) return false;
  const std::uint8_t owner = land.owners[unit.owner];
  return owner == kRescuePassive || owner == kRescueActive;
}

// The least distance from the starts, tile by tile, by Dijkstra's walk: the costs are small, so
// the tiles wait in a ring of buckets, one for each distance still ahead. The map is held with a
// border of tiles that cannot be entered, so that every tile has eight neighbours.
class Walk {
 public:
  explicit Walk(const MapLand& land)
      : land_(land),
        stride_(land.width + 2),
        neighbours_{-stride_ - 1, -stride_, -stride_ + 1, -1, 1, stride_ - 1, stride_, stride_ + 1},
        costs_(Padded(land), kNoEntry),
        besideMine_(Padded(land)),
        distances_(Padded(land)) {
    for (int y = 0; y < land.height; ++y) {
      for (int x = 0; x < land.width; ++x) {
        const auto i = static_cast<std::size_t>(y * land.width + x);
        const std::uint16_t movement = land.movement[i];
        costs_[Index(x, y)] = (movement & kNoLandUnit) != 0 ? kNoEntry
                              : (movement & kBlocked) != 0  ? ClearingCost(land.tiles[i])
                                                            : kOpenCost;
      }
    }
    for (const MapUnit& unit : land.units) {
      if (!IsBuilding(unit.type)) continue;
      const Area area = AreaOf(land, unit);
      for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) costs_[Index(x, y)] = kNoEntry;
      }
    }
    bool minesReachable = false;  // a tile beside a mine can be entered
    bool rescuables = false;
    for (const MapUnit& unit : land.units) {
      rescuables = rescuables || Rescuable(land, unit);
      if (unit.type != kGoldMine) continue;
      ForEachBeside(AreaOf(land, unit), [&](std::size_t tile) {
        besideMine_[tile] = true;
        minesReachable = minesReachable || costs_[tile] != kNoEntry;
      });
    }
    // What is measured lies within kNearRescuable of a start, or within kNearGold, or beside the
    // nearest mine; where no tile beside a mine can be entered, only a start can lie beside one.
    farthest_ = rescuables ? kNearRescuable : minesReachable ? kNearGold : 0;
    noMineBeyond_ = minesReachable ? kUnreached : 0;
  }

  // Walks from the start location's tile, and from every tile of a building that stands on it.
  void From(int startX, int startY) {
    std::fill(distances_.begin(), distances_.end(), kUnreached);
    Begin(startX, startY);
    for (const MapUnit& unit : land_.units) {
      if (!IsBuilding(unit.type)) continue;
      const Area area = AreaOf(land_, unit);
      if (!area.Holds(startX, startY)) continue;
      for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) Begin(x, y);
      }
    }
    // The walk ends once every tile that can matter has its distance. Tiles beyond keep a
    // distance that may be too long, but is longer than any that matters.
    std::uint32_t nearestMine = noMineBeyond_;
    std::size_t waiting = buckets_[0].size();
    for (std::uint32_t distance = 0; waiting > 0; ++distance) {
      std::vector<std::size_t>& bucket = buckets_[distance % buckets_.size()];
      if (distance > farthest_ && distance > nearestMine) break;
      // The bucket may grow while it is walked only by a cost of the ring's size, which none has.
      for (std::size_t i = 0; i < bucket.size(); ++i) {
        const std::size_t tile = bucket[i];
        if (distances_[tile] != distance) continue;
        if (besideMine_[tile]) nearestMine = std::min(nearestMine, distance);
        for (const int neighbour : neighbours_) {
          const std::size_t next = tile + static_cast<std::size_t>(neighbour);
          const std::uint32_t reached = distance + costs_[next];
          if (costs_[next] == kNoEntry || distances_[next] <= reached) continue;
          distances_[next] = reached;
          buckets_[reached % buckets_.size()].push_back(next);
          ++waiting;
        }
      }
      waiting -= bucket.size();
      bucket.clear();
    }
    for (std::vector<std::size_t>& bucket : buckets_) bucket.clear();
  }

  std::uint32_t DistanceAt(int x, int y) const { return distances_[Index(x, y)]; }

  // The least distance of the tiles around an area (outside it, on the map), plus one step.
  std::uint32_t DistanceBeside(const Area& area) const {
    std::uint32_t least = kUnreached;
    ForEachBeside(area, [&](std::size_t tile) { least = std::min(least, distances_[tile]); });
    return least == kUnreached ? kUnreached : least + 1;
  }

 private:
  static std::size_t Padded(const MapLand& land) {
    return static_cast<std::size_t>((land.width + 2) * (land.height + 2));
  }

  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>((y + 1) * stride_ + x + 1);
  }

  // Calls `visit` with each tile around an area that covers any: outside it, on the map.
  template <typename Visit>
  void ForEachBeside(const Area& area, Visit visit) const {
    if (Empty(area)) return;
    for (int y = std::max(0, area.top - 1); y < std::min(land_.height, area.bottom + 1); ++y) {
      for (int x = std::max(0, area.left - 1); x < std::min(land_.width, area.right + 1); ++x) {
        if (!area.Holds(x, y)) visit(Index(x, y));
      }
    }
  }

  void Begin(int x, int y) {
    const std::size_t tile = Index(x, y);
    distances_[tile] = 0;
    buckets_[0].push_back(tile);
  }

  const MapLand& land_;
  const int stride_;
  const int neighbours_[8];  // the offsets of a tile's neighbours
  std::vector<std::uint8_t> costs_;
  std::vector<bool> besideMine_;
  std::uint32_t farthest_;      // the walk goes at least this far
  std::uint32_t noMineBeyond_;  // and on to the nearest tile beside a mine, nearer than this
  std::vector<std::uint32_t> distances_;
  std::array<std::vector<std::size_t>, kMostCost + 1> buckets_;
};

StartReach Measure(const MapLand& land, const Walk& walk, int player, const MapUnit& start) {
  StartReach reach{player, start.x, start.y, false, 0, 0, {0, kNoDistance, 0, 0}};
  std::uint64_t& gold = reach.values[static_cast<int>(ReachItem::HomeMineGold)];
  std::uint64_t& distance = reach.values[static_cast<int>(ReachItem::HomeMineDistance)];
  for (const MapUnit& unit : land.units) {
    const bool mine = unit.type == kGoldMine;
    const bool rescuable = Rescuable(land, unit);
    if (!mine && !rescuable) continue;
    const std::uint32_t reached = mine || IsBuilding(unit.type)
                                      ? walk.DistanceBeside(AreaOf(land, unit))
                                      : walk.DistanceAt(unit.x, unit.y);
    if (reached == kUnreached) continue;
    if (rescuable && reached <= kNearRescuable)
      ++reach.values[static_cast<int>(ReachItem::RescuableWithin20)];
    if (!mine) continue;
    const std::uint64_t held = unit.data * kGoldPerData;
    if (reached <= kNearGold) reach.values[static_cast<int>(ReachItem::GoldWithin12)] += held;
    if (reached < distance || (reached == distance && held > gold)) {
      reach.homeMine = true;
      reach.mineX = unit.x;
      reach.mineY = unit.y;
      gold = held;
      distance = reached;
    }
  }
  return reach;
}

// Whether a slot's value differs enough from the usual to be shown.
bool Differs(ReachItem item, std::uint64_t usual, std::uint64_t value) {
  switch (item) {
    case ReachItem::HomeMineGold:
    case ReachItem::GoldWithin12:
      return (value > usual ? value - usual : usual - value) * 4 > usual;
    case ReachItem::HomeMineDistance: {
      if (usual == kNoDistance || value == kNoDistance) return usual != value;
      const std::uint64_t nearer = std::min(usual, value);
      const std::uint64_t farther = std::max(usual, value);
      return farther >= nearer + 5 && farther >= 2 * nearer;
    }
    case ReachItem::RescuableWithin20:
      return value != usual;
  }
  return false;
}

}  // namespace

void MeasureReach(const MapLand& land, MapReach& reach) {
  reach.count = 0;
  const MapUnit* starts[kPlayerSlots] = {};
  for (const MapUnit& unit : land.units) {
    if ((unit.type == kHumanStart || unit.type == kOrcStart) && unit.owner < kPlayerSlots)
      starts[unit.owner] = &unit;
  }
  Walk walk(land);
  for (int slot = 0; slot < kPlayerSlots; ++slot) {
    if (land.owners[static_cast<std::size_t>(slot)] != kPersonOwner || starts[slot] == nullptr)
      continue;
    walk.From(starts[slot]->x, starts[slot]->y);
    reach.starts[reach.count++] = Measure(land, walk, slot + 1, *starts[slot]);
  }
}

bool CompareReach(const MapReach& reach, ReachSink& sink) {
  if (reach.count < 2) return false;
  bool differs = false;
  for (int item = 0; item < kReachItems; ++item) {
    std::uint64_t values[kPlayerSlots];
    for (int i = 0; i < reach.count; ++i) values[i] = reach.starts[i].values[item];
    std::nth_element(values, values + (reach.count - 1) / 2, values + reach.count);
    const std::uint64_t usual = values[(reach.count - 1) / 2];
    for (int i = 0; i < reach.count; ++i) {
      const std::uint64_t value = reach.starts[i].values[item];
      if (!Differs(static_cast<ReachItem>(item), usual, value)) continue;
      sink.AddReachChange(
          {reach.starts[i].player, static_cast<ReachItem>(item), usual, value, !differs});
      differs = true;
    }
  }
  return differs;
}

bool CompareReach(PudFile& file, ReachSink& sink) {
  MapLand land;
  if (!ReadMapLand(file, land)) {
    sink.AddReach(nullptr);
    return false;
  }
  MapReach reach;
  MeasureReach(land, reach);
  sink.AddReach(&reach);
  return CompareReach(reach, sink);
}
