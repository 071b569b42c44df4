#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map_picture.h"
#include "report_walk.h"
#include "sample_pud.h"
#include "sha256.h"
#include "start_reach.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint64_t kNone = kNoDistance;

Bytes Words(std::initializer_list<std::uint16_t> words) {
  Bytes bytes;
  for (std::uint16_t word : words) {
    bytes.push_back(static_cast<std::uint8_t>(word));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
  }
  return bytes;
}

MapUnit Unit(int type, int owner, int x, int y, int data = 0) {
  return {std::uint16_t(x), std::uint16_t(y), std::uint8_t(type), std::uint8_t(owner),
          std::uint16_t(data)};
}

// A map drawn as rows of tiles: '.' ground, 'T' forest, 'f' forest by ground, 'W' wall, 'h' wall
// by ground, 'R' rocks, 'r' rocks by coast, '~' water, 's' shore, 'X' blocked without a class,
// 'o' a tile a land unit holds.
MapLand Land(std::vector<std::string> rows, std::vector<MapUnit> units, std::string owners = "5") {
  struct Kind {
    char mark;
    std::uint16_t tile;
    std::uint16_t movement;
  };
  constexpr Kind kKinds[] = {{'.', 0x50, 0x01},   {'T', 0x70, 0x81},  {'f', 0x702, 0x81},
                             {'W', 0x90, 0x8d},   {'h', 0x805, 0x8d}, {'R', 0x80, 0x81},
                             {'r', 0x40c, 0x81},  {'~', 0x10, 0x40},  {'s', 0x203, 0x02},
                             {'X', 0x1050, 0x81}, {'o', 0x50, 0x101}};
  MapLand land;
  land.width = static_cast<int>(rows[0].size());
  land.height = static_cast<int>(rows.size());
  for (const std::string& row : rows) {
    for (char mark : row) {
      for (const Kind& kind : kKinds) {
        if (kind.mark != mark) continue;
        land.tiles.push_back(kind.tile);
        land.movement.push_back(kind.movement);
      }
    }
  }
  for (std::size_t slot = 0; slot < owners.size(); ++slot)
    land.owners[slot] = static_cast<std::uint8_t>(owners[slot] - '0');
  land.units = std::move(units);
  return land;
}

StartReach ReachOfRed(const MapLand& land) {
  MapReach reach;
  MeasureReach(land, reach);
  EXPECT_EQ(reach.count, 1);
  return reach.starts[0];
}

// Red starts at the left of three equal rows and walks right through the columns drawn, to a
// mine of 10,000 gold just beyond them.
TEST(ReachTest, EachTileCostsWhatClearingItTakes) {
  const struct {
    std::string columns;
    std::uint64_t distance;
  } cases[] = {
      {".", 1},
      {".T", 6},
      {".f", 6},
      {".W", 10},
      {".h", 10},
      {".R", 18},
      {".r", 18},
      {".~", kNone},
      {".s", kNone},
      {".X", kNone},
      {".o", kNone},
      {"~.", 2},  // the start's own tile costs nothing
      {std::string(12, '.'), 12},
      {std::string(13, '.'), 13},
  };
  for (const auto& c : cases) {
    const int mineX = static_cast<int>(c.columns.size());
    const std::string row = c.columns + "...";
    const StartReach red = ReachOfRed(
        Land({row, row, row}, {Unit(kHumanStart, 0, 0, 1), Unit(kGoldMine, 15, mineX, 0, 4)}));
    const auto item = [&](ReachItem which) { return red.values[static_cast<int>(which)]; };
    EXPECT_EQ(item(ReachItem::HomeMineDistance), c.distance) << c.columns;
    EXPECT_EQ(item(ReachItem::HomeMineGold), c.distance == kNone ? 0 : 10000) << c.columns;
    EXPECT_EQ(item(ReachItem::GoldWithin12), c.distance <= 12 ? 10000 : 0) << c.columns;
  }
}

TEST(ReachTest, BuildingsStartsMinesAndRescuables) {
  const std::string row(11, '.');
  const std::vector<std::string> rows = {row, row, row, row};
  const struct {
    const char* what;
    std::vector<MapUnit> units;
    std::string owners;
    int mineX;  // of the home mine, -1 for none
    std::uint64_t distance;
  } cases[] = {
      {"a hall on the start: its every tile starts",
       {Unit(60, 0, 0, 0), Unit(kHumanStart, 0, 0, 1), Unit(kGoldMine, 15, 4, 0)},
       "5",
       4,
       2},
      {"walled in: no mine",
       {Unit(103, 0, 0, 0), Unit(103, 0, 1, 0), Unit(103, 0, 1, 1), Unit(103, 0, 0, 2),
        Unit(103, 0, 1, 2), Unit(kHumanStart, 0, 0, 1), Unit(kGoldMine, 15, 5, 0)},
       "5",
       -1,
       kNone},
      {"the last start location counts; a tie goes to the richer mine",
       {Unit(kOrcStart, 0, 0, 3), Unit(kHumanStart, 0, 5, 1), Unit(kGoldMine, 15, 0, 0, 4),
        Unit(kGoldMine, 15, 8, 0, 8)},
       "5",
       8,
       3},
      {"a tie in gold too goes to the first",
       {Unit(kHumanStart, 0, 5, 1), Unit(kGoldMine, 15, 8, 0, 4), Unit(kGoldMine, 15, 0, 0, 4)},
       "5",
       8,
       3},
  };
  for (const auto& c : cases) {
    const StartReach red = ReachOfRed(Land(rows, c.units, c.owners));
    EXPECT_EQ(red.homeMine ? red.mineX : -1, c.mineX) << c.what;
    EXPECT_EQ(red.values[static_cast<int>(ReachItem::HomeMineDistance)], c.distance) << c.what;
  }
  // Rescuable: a unit at its tile's distance, a building beside it, of any slot 0-15 set to
  // rescue; not a start location, nor a computer's unit.
  const std::string far(22, '.');
  const StartReach red = ReachOfRed(
      Land({far, far, far},
           {Unit(kHumanStart, 0, 0, 2), Unit(2, 2, 20, 2), Unit(2, 2, 21, 2), Unit(58, 3, 10, 0),
            Unit(3, 9, 3, 0), Unit(kOrcStart, 2, 4, 0), Unit(2, 1, 5, 2)},
           "5476000007"));
  EXPECT_EQ(red.values[static_cast<int>(ReachItem::RescuableWithin20)], 3u);
}

// The comparison as the report lists it: "<Color> <item> <usual> <value>".
class ReachLines : public ReachSink, private ReportView {
 public:
  void AddReachChange(const ReachChange& change) override { walk_.AddReachChange(change); }
  std::vector<std::string> lines;

 private:
  void BeginGroup(const ReportGroup& group) override { lines.emplace_back(group.title); }
  void AddRow(const ReportRow& row) override {
    lines.push_back(std::string(row.name) + " " + std::string(row.standard) + " " +
                    std::string(row.value));
  }
  ReportWalk walk_{*this};
};

TEST(ReachTest, SlotsAgainstTheMedian) {
  const struct {
    ReachItem item;
    std::vector<std::uint64_t> values;  // of Red, Blue, ...
    std::vector<std::string> lines;
  } cases[] = {
      {ReachItem::HomeMineGold, {100000, 100000, 75000, 125000}, {}},
      {ReachItem::HomeMineGold,
       {100000, 100000, 74999, 125001},
       {"Green home mine gold 100000 74999", "Violet home mine gold 100000 125001"}},
      {ReachItem::GoldWithin12, {0, 0, 1}, {"Green gold within 12 0 1"}},
      {ReachItem::RescuableWithin20,
       {4, 1, 3, 2},
       {"Red rescuable units within 20 2 4", "Blue rescuable units within 20 2 1",
        "Green rescuable units within 20 2 3"}},
      {ReachItem::HomeMineDistance, {5, 5, 9, 10, 2}, {"Violet home mine distance 5 10"}},
      {ReachItem::HomeMineDistance, {2, 2, 6, 7}, {"Violet home mine distance 2 7"}},
      {ReachItem::HomeMineDistance, {kNone, 3, 3}, {"Red home mine distance 3 none"}},
      {ReachItem::HomeMineDistance, {kNone, kNone, 3}, {"Green home mine distance none 3"}},
      {ReachItem::HomeMineDistance, {kNone, kNone}, {}},
      {ReachItem::RescuableWithin20, {0}, {}},  // one start: nothing to compare
  };
  for (const auto& c : cases) {
    MapReach reach;
    for (std::uint64_t value : c.values) {
      StartReach& start = reach.starts[reach.count];
      start = {++reach.count, 0, 0, false, 0, 0, {0, kNone, 0, 0}};
      start.values[static_cast<int>(c.item)] = value;
    }
    ReachLines sink;
    std::vector<std::string> expected;
    if (!c.lines.empty()) expected.push_back("Player reach change:-");
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(CompareReach(reach, sink), !c.lines.empty()) << kReachItemNames[int(c.item)];
    EXPECT_EQ(sink.lines, expected) << kReachItemNames[int(c.item)];
  }
}

// A map's sections as the land is read from them, with 2 x 1 tiles.
Bytes LandPud(const std::vector<std::pair<const char*, Bytes>>& sections) {
  Bytes pud = BuildPud({});
  for (const auto& [tag, data] : sections)
    pud = InsertSection(RemoveSection(pud, tag), tag, data, nullptr);
  return pud;
}

TEST(MapLandTest, OnlyASizeWithTwoBytesATileInBothMapsHasLand) {
  const Bytes size = Words({2, 1});
  const Bytes tiles = Words({0x50, 0x50});
  const struct {
    const char* what;
    Bytes dim, mtxm, sqm;
    bool land;
  } cases[] = {
      {"2 x 1", size, tiles, tiles, true},
      {"256 x 1", Words({256, 1}), Bytes(512), Bytes(512), true},
      {"257 x 1", Words({257, 1}), Bytes(514), Bytes(514), false},
      {"0 x 1", Words({0, 1}), {}, {}, false},
      {"a size of 3 bytes", Bytes(size.begin(), size.end() - 1), tiles, tiles, false},
      {"tiles a byte short", size, Bytes(3), tiles, false},
      {"movement a byte long", size, tiles, Bytes(5), false},
  };
  for (const auto& c : cases) {
    const Bytes pud = LandPud({{"DIM ", c.dim}, {"MTXM", c.mtxm}, {"SQM ", c.sqm}});
    PudFile file(pud.data(), pud.size());
    MapLand land;
    EXPECT_EQ(ReadMapLand(file, land), c.land) << c.what;
  }
  // The last section's length may run past the end: it holds what remains.
  Bytes pud = LandPud({{"DIM ", size}, {"MTXM", tiles}, {"SQM ", tiles}});
  pud[pud.size() - 6] = 0xff;
  PudFile file(pud.data(), pud.size());
  MapLand land;
  EXPECT_TRUE(ReadMapLand(file, land));
}

TEST(MapPictureTest, QuartersInTheTilesetsColoursThenUnits) {
  const struct {
    Bytes era, erax;
    std::uint16_t tile;
    std::uint32_t quarters[4];  // upper left, upper right, lower left, lower right
  } cases[] = {
      {{}, {}, 0x0050, {0x28550c, 0x28550c, 0x28550c, 0x28550c}},
      {Words({1}), {}, 0x0053, {0x8e8e9e, 0x8e8e9e, 0x8e8e9e, 0x8e8e9e}},
      {Words({2}), Words({3}), 0x00c0, {0x5d514d, 0x5d514d, 0x5d514d, 0x5d514d}},
      {Words({1}), Words({7}), 0x0050, {0x28550c, 0x28550c, 0x28550c, 0x28550c}},
      {Bytes(1), {}, 0x0010, {0x043875, 0x043875, 0x043875, 0x043875}},
      // pair 7, forest in the quarters of Q + 1: upper right (Q 1), both lower ones (Q 0xb)
      {{}, {}, 0x0715, {0x28550c, 0x004d00, 0x28550c, 0x28550c}},
      {{}, {}, 0x07b0, {0x28550c, 0x28550c, 0x004d00, 0x004d00}},
      {Words({2}), {}, 0x0100, {0x10202c, 0x0c202c, 0x0c202c, 0x0c202c}},
      {{}, {}, 0x0000, {0xff00ff, 0xff00ff, 0xff00ff, 0xff00ff}},
      {{}, {}, 0x00d0, {0xff00ff, 0xff00ff, 0xff00ff, 0xff00ff}},
      {{}, {}, 0x0a00, {0xff00ff, 0xff00ff, 0xff00ff, 0xff00ff}},
      {{}, {}, 0x01e0, {0xff00ff, 0xff00ff, 0xff00ff, 0xff00ff}},
      {{}, {}, 0x1050, {0xff00ff, 0xff00ff, 0xff00ff, 0xff00ff}},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<const char*, Bytes>> sections = {
        {"DIM ", Words({1, 1})}, {"MTXM", Words({c.tile})}, {"SQM ", Words({1})}};
    if (!c.era.empty()) sections.push_back({"ERA ", c.era});
    if (!c.erax.empty()) sections.push_back({"ERAX", c.erax});
    Bytes pud = LandPud(sections);
    if (c.era.empty()) pud = RemoveSection(pud, "ERA ");
    if (c.erax.empty()) pud = RemoveSection(pud, "ERAX");
    PudFile file(pud.data(), pud.size());
    MapLand land;
    ASSERT_TRUE(ReadMapLand(file, land));
    Picture picture;
    DrawPicture(land, picture);
    ASSERT_EQ(picture.rgb.size(), 12u);
    for (int quarter = 0; quarter < 4; ++quarter) {
      const std::uint8_t* pixel = &picture.rgb[static_cast<std::size_t>(quarter) * 3];
      EXPECT_EQ(std::uint32_t(pixel[0] << 16 | pixel[1] << 8 | pixel[2]), c.quarters[quarter])
          << std::hex << c.tile << " quarter " << quarter;
    }
  }

  // Units in order over their footprints, clipped at the edge: a mine, an oil patch over part of
  // it, a farm of Violet, a neutral critter, a unit type above 109, a start location (not drawn).
  MapLand land = Land({"....", "...."},
                      {Unit(kGoldMine, 15, 2, 0), Unit(kOilPatch, 15, 0, 0), Unit(58, 3, 0, 1),
                       Unit(57, 15, 3, 1), Unit(200, 1, 2, 1), Unit(kHumanStart, 0, 1, 0)});
  Picture picture;
  DrawPicture(land, picture);
  const std::uint32_t rows[4][8] = {
      {0, 0, 0, 0, 0, 0, 0xffff00, 0xffff00},
      {0, 0, 0, 0, 0, 0, 0xffff00, 0xffff00},
      {0x8000c0, 0x8000c0, 0x8000c0, 0x8000c0, 0x0000c0, 0x0000c0, 0xa2a2a6, 0xa2a2a6},
      {0x8000c0, 0x8000c0, 0x8000c0, 0x8000c0, 0x0000c0, 0x0000c0, 0xa2a2a6, 0xa2a2a6}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      const std::uint8_t* pixel = &picture.rgb[static_cast<std::size_t>(y * 8 + x) * 3];
      EXPECT_EQ(std::uint32_t(pixel[0] << 16 | pixel[1] << 8 | pixel[2]), rows[y][x])
          << x << "," << y;
    }
  }
}

std::vector<std::uint64_t> Figures(const StartReach& reach) {
  std::vector<std::uint64_t> figures(std::begin(reach.values), std::end(reach.values));
  for (int number : {reach.player, reach.x, reach.y, int(reach.homeMine), reach.mineX, reach.mineY})
    figures.push_back(std::uint64_t(number));
  return figures;
}

// Figures of real maps, as a separate reading of them from the same rules gave them.
TEST(ReachTest, RealMaps) {
  const struct {
    const char* map;
    int start;  // among the person slots with a start location
    StartReach reach;
  } cases[] = {
      {"Mountain Pass BNE CW.pud", 0, {1, 0, 127, true, 0, 77, {40000, 72, 0, 0}}},
      {"Mountain Pass BNE CW.pud", 1, {2, 5, 78, true, 0, 77, {40000, 3, 40000, 0}}},
      {"Atols CW.pud", 0, {1, 51, 42, false, 0, 0, {0, kNone, 0, 0}}},
      {"(8)farscape2006.pud", 2, {3, 18, 81, true, 5, 77, {100000, 11, 100000, 0}}},
      {"Save the Pope.pud", 3, {4, 61, 4, false, 0, 0, {0, kNone, 0, 13}}},
  };
  for (const auto& c : cases) {
    PudFile file((std::string(SW_MAPS_DIR "/") + c.map).c_str());
    MapLand land;
    ASSERT_TRUE(ReadMapLand(file, land)) << c.map;
    MapReach reach;
    MeasureReach(land, reach);
    EXPECT_EQ(Figures(reach.starts[c.start]), Figures(c.reach)) << c.map << " start " << c.start;
  }
}

TEST(MapPictureTest, RealMap) {
  PudFile file(SW_MAPS_DIR "/Mountain Pass BNE CW.pud");
  MapLand land;
  ASSERT_TRUE(ReadMapLand(file, land));
  Picture picture;
  DrawPicture(land, picture);
  EXPECT_EQ(picture.width, 2 * land.width);
  std::string hex;
  for (std::uint8_t byte :
       Sha256({reinterpret_cast<const char*>(picture.rgb.data()), picture.rgb.size()}))
    hex += "0123456789abcdef"[byte >> 4], hex += "0123456789abcdef"[byte & 15];
  EXPECT_EQ(hex, "53c759938825c1a1a470d79e2a435d28803e32961275c188b3c2b0c63c2ba46e");
}

}  // namespace
