#include "standard_tables.h"

#include <cstdint>

namespace {

// One unit type with its standard value of every statistic (costs in tens).
struct UnitStandard {
  const char* name;
  std::uint8_t buildTime, basicAttack, piercingDamage, goldCost, woodCost, oilCost;
  std::uint16_t hitPoints;
};

// The build checks every row without a mark against analysis/data/standard-units.tsv
// (cmake/standard-data.cmake reads this table as it stands: one row a line).
// clang-format off
// name, build time, basic attack, piercing damage, gold, wood and oil cost (tens), hit points
constexpr UnitStandard kUnits[kStandardRows] = {
    {"footman", 60, 6, 3, 60, 0, 0, 60},
    {"grunt", 60, 6, 3, 60, 0, 0, 60},
    {"peasant", 45, 3, 2, 40, 0, 0, 30},
    {"peon", 45, 3, 2, 40, 0, 0, 30},
    {"ballista", 250, 80, 0, 90, 30, 0, 110},
    {"catapult", 250, 80, 0, 90, 30, 0, 110},
    {"knight", 90, 8, 4, 80, 10, 0, 90},
    {"ogre", 90, 8, 4, 80, 10, 0, 90},
    {"archer", 70, 3, 6, 50, 5, 0, 40},
    {"axeman", 70, 3, 6, 50, 5, 0, 40},
    {"mage", 120, 0, 9, 120, 0, 0, 60},
    {"death knight", 120, 0, 9, 120, 0, 0, 60},
    {"paladin", 90, 8, 4, 80, 10, 0, 90},
    {"ogre-mage", 90, 8, 4, 80, 10, 0, 90},
    {"demo squad", 200, 4, 2, 70, 25, 0, 40},
    {"sappers", 200, 4, 2, 70, 25, 0, 40},
    {"attack peasant", 45, 3, 2, 40, 0, 0, 30},
    {"attack peon", 45, 3, 2, 40, 0, 0, 30},
    {"ranger", 70, 3, 6, 50, 5, 0, 50},
    {"beserker", 70, 3, 6, 50, 5, 0, 50},
    {"alleria", 70, 10, 18, 50, 5, 0, 120},
    {"teron gorefiend", 120, 0, 16, 120, 0, 0, 180},
    {"kurd skyree", 250, 0, 25, 250, 0, 0, 250},
    {"dentarg", 90, 18, 6, 80, 10, 0, 300},
    {"khadgar", 120, 0, 16, 120, 0, 0, 120},
    {"grom hellscream", 60, 16, 6, 60, 0, 0, 240},
    {"human tanker", 50, 0, 0, 40, 20, 0, 90},
    {"orc tanker", 50, 0, 0, 40, 20, 0, 90},
    {"human transport", 70, 0, 0, 60, 20, 50, 150},
    {"orc transport", 70, 0, 0, 60, 20, 50, 150},
    {"elf destroyer", 90, 35, 0, 70, 35, 70, 100},
    {"troll destroyer", 90, 35, 0, 70, 35, 70, 100},
    {"battleship", 140, 130, 0, 100, 50, 100, 150},
    {"juggernaut", 140, 130, 0, 100, 50, 100, 150},
    {"padding", 0, 0, 0, 0, 0, 0, 0},
    {"deathwing", 250, 10, 25, 250, 0, 0, 800},
    {"\xFF" "padding", 0, 9, 1, 0, 0, 0, 0},
    {"\xFF" "padding", 0, 9, 1, 0, 0, 0, 0},
    {"human sub", 100, 50, 0, 80, 15, 90, 60},
    {"orc sub", 100, 50, 0, 80, 15, 90, 60},
    {"flying machine", 65, 0, 0, 50, 10, 0, 150},
    {"zeppelin", 65, 0, 0, 50, 10, 0, 150},
    {"gryphon", 250, 0, 16, 250, 0, 0, 100},
    {"dragon", 250, 0, 16, 250, 0, 0, 100},
    {"turalon", 90, 14, 5, 80, 10, 0, 180},
    {"eye kilrog", 0, 0, 0, 0, 0, 0, 100},
    {"danath", 60, 15, 8, 60, 0, 0, 220},
    {"korgath bladefist", 60, 16, 6, 60, 0, 0, 240},
    {"\xFF" "padding", 0, 0, 0, 0, 0, 0, 0},
    {"chogall", 100, 10, 5, 110, 5, 0, 100},
    {"lothar", 100, 8, 4, 90, 10, 0, 90},
    {"guldan", 120, 0, 3, 120, 0, 0, 40},
    {"uther lightbringer", 100, 8, 4, 90, 10, 0, 90},
    {"zuljin", 70, 3, 6, 50, 5, 0, 40},
    {"\xFF" "padding", 0, 0, 0, 0, 0, 0, 0},
    {"skeleton", 0, 6, 3, 0, 0, 0, 40},
    {"daemon", 0, 9, 1, 0, 0, 0, 60},
    {"critter", 0, 0, 0, 0, 0, 0, 5},
    {"human farm", 100, 0, 0, 50, 25, 0, 400},
    {"orc farm", 100, 0, 0, 50, 25, 0, 400},
    {"human rax", 200, 0, 0, 70, 45, 0, 800},
    {"orc rax", 200, 0, 0, 70, 45, 0, 800},
    {"church", 175, 0, 0, 90, 50, 0, 700},
    {"alter storms", 175, 0, 0, 90, 50, 0, 700},
    {"scout tower", 60, 0, 0, 55, 20, 0, 100},
    {"watch tower", 60, 0, 0, 55, 20, 0, 100},
    {"stables", 150, 0, 0, 100, 30, 0, 500},
    {"ogre mound", 150, 0, 0, 100, 30, 0, 500},
    {"human inventor", 150, 0, 0, 100, 40, 0, 500},
    {"orc inventor", 150, 0, 0, 100, 40, 0, 500},
    {"gryphon avory", 150, 0, 0, 100, 40, 0, 500},
    {"dragon roost", 150, 0, 0, 100, 40, 0, 500},
    {"human shipyard", 200, 0, 0, 80, 45, 0, 1100},
    {"orc shipyard", 200, 0, 0, 80, 45, 0, 1100},
    {"human hall", 255, 0, 0, 120, 80, 0, 1200},
    {"orc hall", 255, 0, 0, 120, 80, 0, 1200},
    {"human mill", 150, 0, 0, 60, 45, 0, 600},
    {"orc mill", 150, 0, 0, 60, 45, 0, 600},
    {"human foundary", 175, 0, 0, 70, 40, 40, 750},
    {"orc foundary", 175, 0, 0, 70, 40, 40, 750},
    {"mage tower", 125, 0, 0, 100, 20, 0, 500},
    {"temple damned", 125, 0, 0, 100, 20, 0, 500},
    {"human blacksmiths  ", 200, 0, 0, 80, 45, 10, 775},
    {"orc blacksmiths", 200, 0, 0, 80, 45, 10, 775},
    {"human refinery", 225, 0, 0, 80, 35, 20, 600},
    {"orc refinery", 225, 0, 0, 80, 35, 20, 600},
    {"human oil platform", 200, 0, 0, 70, 45, 0, 650},
    {"orc oil platfrom", 200, 0, 0, 70, 45, 0, 650},
    {"keep", 200, 0, 0, 200, 100, 20, 1400},
    {"stronghold", 200, 0, 0, 200, 100, 20, 1400},
    {"castle", 200, 0, 0, 250, 120, 50, 1600},
    {"fortress", 200, 0, 0, 250, 120, 50, 1600},
    {"\xFF" "padding", 0, 0, 0, 0, 0, 0, 0},
    {"\xFF" "padding", 0, 0, 0, 0, 0, 0, 0},
    {"\xFF" "padding", 0, 0, 0, 0, 0, 0, 0},
    {"\xFF" "padding", 0, 0, 0, 0, 0, 0, 0},
    {"human guard tower", 140, 4, 12, 50, 15, 0, 130},
    {"orc guard tower", 140, 4, 12, 50, 15, 0, 130},
    {"human cannon tower  ", 190, 50, 0, 100, 30, 0, 160},
    {"orc cannon tower", 190, 50, 0, 100, 30, 0, 160},
    {"X", 0, 0, 0, 0, 0, 0, 0},
};
// clang-format on

// Unit 34 takes no part in combat: the two combat tables mark it to be skipped, the others report
// it like any unit.
constexpr std::size_t kUnmarkedPadding = 34;
constexpr const char* kMarkedPadding =
    "\xFF"
    "padding";

constexpr StandardRow RowOf(Statistic statistic, std::size_t row) {
  const UnitStandard& unit = kUnits[row];
  switch (statistic) {
    case Statistic::BuildTime:
      return {unit.buildTime, unit.name};
    case Statistic::BasicAttack:
      return {unit.basicAttack, row == kUnmarkedPadding ? kMarkedPadding : unit.name};
    case Statistic::PiercingDamage:
      return {unit.piercingDamage, row == kUnmarkedPadding ? kMarkedPadding : unit.name};
    case Statistic::GoldCost:
      return {unit.goldCost, unit.name};
    case Statistic::WoodCost:
      return {unit.woodCost, unit.name};
    case Statistic::OilCost:
      return {unit.oilCost, unit.name};
    case Statistic::HitPoints:
      return {unit.hitPoints, unit.name};
  }
  return {0, unit.name};
}

constexpr StandardTable TableOf(Statistic statistic) {
  StandardTable table{};
  for (std::size_t row = 0; row < table.size(); ++row) table[row] = RowOf(statistic, row);
  return table;
}

constexpr StandardTable kTables[] = {
    TableOf(Statistic::BuildTime),      TableOf(Statistic::BasicAttack),
    TableOf(Statistic::PiercingDamage), TableOf(Statistic::GoldCost),
    TableOf(Statistic::WoodCost),       TableOf(Statistic::OilCost),
    TableOf(Statistic::HitPoints)};

}  // namespace

const StandardTable& StandardTableOf(Statistic statistic) {
  return kTables[static_cast<std::size_t>(statistic)];
}
