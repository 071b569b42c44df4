#include "map_land.h"

#include "standard_data.h"

namespace {

constexpr int kTypesWithData = 110;  // types above have no standard data

// Pairs of classes that a mixed tile 0x0PQV draws, by P: the first fills the quarters of Q + 1.
constexpr std::uint8_t kPairs[10][2] = {{0, 0}, {2, 1}, {1, 3}, {4, 3}, {8, 3},
                                        {3, 5}, {6, 5}, {7, 5}, {9, 6}, {10, 6}};

std::uint16_t Word(const unsigned char* bytes) {
  return static_cast<std::uint16_t>(LittleEndianValue(bytes, 2));
}

// Reads the first section of a tag whole, as 16-bit words; false unless it holds exactly `count`
// (a section whose length runs past the end of the file holds the bytes that remain).
bool ReadWords(PudFile& file, FirstSection which, std::size_t count,
               std::vector<std::uint16_t>& words) {
  const PudSection* section = file.First(which);
  if (section == nullptr || section->length < 2 * count) return false;
  std::vector<unsigned char> bytes(2 * count + 1);
  if (file.Read(*section, 0, bytes.data(), bytes.size()) != 2 * count) return false;
  words.resize(count);
  for (std::size_t i = 0; i < count; ++i) words[i] = Word(&bytes[2 * i]);
  return true;
}

Tileset TilesetOf(PudFile& file) {
  const PudSection* era = file.First(FirstSection::ERAX);
  if (era == nullptr) era = file.First(FirstSection::ERA);
  unsigned char word[2];
  if (era == nullptr || file.Read(*era, 0, word, 2) < 2) return Tileset::Forest;
  const std::uint16_t tileset = Word(word);
  return tileset <= 3 ? static_cast<Tileset>(tileset) : Tileset::Forest;
}

}  // namespace

bool ReadMapLand(PudFile& file, MapLand& land) {
  const PudSection* dim = file.First(FirstSection::DIM);
  unsigned char size[4];
  if (dim == nullptr || file.Read(*dim, 0, size, 4) < 4) return false;
  land.width = Word(size);
  land.height = Word(size + 2);
  if (land.width < 1 || land.width > kMapSideLimit || land.height < 1 ||
      land.height > kMapSideLimit)
    return false;
  const auto tiles = static_cast<std::size_t>(land.width) * static_cast<std::size_t>(land.height);
  if (!ReadWords(file, FirstSection::MTXM, tiles, land.tiles) ||
      !ReadWords(file, FirstSection::SQM, tiles, land.movement))
    return false;
  land.tileset = TilesetOf(file);
  land.owners.fill(0);
  if (const PudSection* owners = file.First(FirstSection::OWNR))
    file.Read(*owners, 0, land.owners.data(), land.owners.size());

  land.units.clear();
  ForEachUnitRecord(file, [&](const MapUnit& unit) {
    if (unit.x < land.width && unit.y < land.height) land.units.push_back(unit);
  });
  return true;
}

QuarterClasses ClassesOf(std::uint16_t tile) {
  const unsigned pair = tile >> 8;
  const unsigned middle = tile >> 4 & 0xf;
  if (pair == 0) {
    const auto solid = static_cast<std::uint8_t>(middle >= 1 && middle <= 12 ? middle : 0);
    return {solid, solid, solid, solid};
  }
  if (pair > 9 || middle > 13) return {0, 0, 0, 0};
  const unsigned filled = middle + 1;
  QuarterClasses classes;
  for (unsigned quarter = 0; quarter < 4; ++quarter)
    classes[quarter] = kPairs[pair][(filled >> quarter & 1) != 0 ? 0 : 1];
  return classes;
}

Footprint FootprintOf(int type) {
  if (type >= kTypesWithData) return {1, 1};
  return {kUnitShapes[type].width, kUnitShapes[type].height};
}

bool IsBuilding(int type) { return type < kTypesWithData && kUnitShapes[type].building; }
