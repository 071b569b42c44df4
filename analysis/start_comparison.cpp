#include "start_comparison.h"

#include <algorithm>
#include <charconv>

#include "map_land.h"
#include "standard_data.h"
#include "thorough_check.h"

namespace {

constexpr unsigned char kOrc = 1;  // SIDE's value for an orc slot
constexpr int kUnitTypesStored = 256;
constexpr int kUnitTypesNamed = 110;

// Whether a type pairs with a counterpart of the other race: the human type even, the orc's the
// next number; 103 and 104 pair besides.
bool Paired(int type) {
  return type <= 19 || (type >= 26 && type <= 33) || (type >= 38 && type <= 43) ||
         (type >= 58 && type <= 91) || (type >= 94 && type <= 99);
}

// A unit's kind: its human type, or its own for a type without a counterpart.
int KindOf(int type) { return type == 104 ? 103 : Paired(type) ? type & ~1 : type; }

int TypeOf(int kind, bool orc) {
  if (!orc) return kind;
  return kind == 103 ? 104 : Paired(kind) ? kind + 1 : kind;
}

// How the allowance arrays of kStartAllowances are named.
struct AllowanceWords {
  std::string_view unusedBit;
  std::string_view suffix;
  bool units;  // the bits stand for unit types, else for upgrades
};

constexpr AllowanceWords kAllowanceWords[std::size(kStartAllowances)] = {
    {"unit bit ", " allowed", true},
    {"spell bit ", " known", false},
    {"spell bit ", " allowed", false},
    {"upgrade bit ", " allowed", false}};

// A name written piece by piece into a fixed room; what does not fit is left out.
class NameWriter {
 public:
  explicit NameWriter(char (&room)[kStartNameRoom]) : room_(room) {}

  NameWriter& operator<<(std::string_view text) {
    const std::size_t part = std::min(text.size(), kStartNameRoom - 1 - size_);
    std::copy_n(text.data(), part, room_ + size_);
    size_ += part;
    return *this;
  }

  NameWriter& operator<<(unsigned number) {
    char digits[12];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    return *this << std::string_view(digits, static_cast<std::size_t>(end - digits));
  }

  std::string_view Text() const { return {room_, size_}; }

 private:
  char* room_;
  std::size_t size_ = 0;
};

void WriteUnit(NameWriter& name, int type) {
  if (type < kUnitTypesNamed) {
    name << UnitName(type);
  } else {
    name << "unit type " << static_cast<unsigned>(type);
  }
}

constexpr std::string_view kResourceNames[] = {"gold", "lumber", "oil"};

// What an item is: a resource, a kind of unit, or a bit of an allowance array.
struct Item {
  enum { Resource, Unit, Allowance } what;
  int index;  // the resource, the kind, or the array
  unsigned bit;
};

// The item's name for a slot of the race.
void WriteItem(NameWriter& name, const Item& item, bool orc) {
  if (item.what == Item::Resource) {
    name << kResourceNames[item.index];
    return;
  }
  if (item.what == Item::Unit) {
    WriteUnit(name, TypeOf(item.index, orc));
    return;
  }
  const auto array = static_cast<std::size_t>(item.index);
  const StartAllowance& allowance = kStartAllowances[array];
  const AllowanceWords& named = kAllowanceWords[array];
  const unsigned char index = (orc ? allowance.orc : allowance.human)[item.bit];
  if (index == kUnusedBit) {
    name << named.unusedBit << item.bit;
  } else if (named.units) {
    WriteUnit(name, index);
  } else {
    name << kStandardUpgrades.names[index];
  }
  name << named.suffix;
}

// The values of one item, one per person slot, in slot order.
using SlotValues = std::uint32_t[kPlayerSlots];

class Comparison {
 public:
  Comparison(const StartPlayers& players, StartSink& sink) : players_(players), sink_(sink) {}

  // Hands a change for each slot whose value is not the usual one: the value most slots hold,
  // on a tie the one the lowest-numbered of the tied slots holds.
  void Compare(const SlotValues& values, const Item& item) {
    const auto begin = values;
    const auto end = values + players_.count;
    // Most items start equal.
    if (std::count(begin, end, values[0]) == players_.count) return;
    std::uint32_t usual = values[0];
    std::ptrdiff_t most = 0;
    for (const std::uint32_t* value = begin; value != end; ++value) {
      const std::ptrdiff_t holders = std::count(begin, end, *value);
      if (holders > most) {
        most = holders;
        usual = *value;
      }
    }
    for (int i = 0; i < players_.count; ++i) {
      if (values[i] == usual) continue;
      char room[kStartNameRoom];
      NameWriter name(room);
      WriteItem(name, item, players_.slots[i].orc);
      sink_.AddStartChange({players_.slots[i].player, name.Text(), usual, values[i],
                            item.what == Item::Allowance, !differs});
      differs = true;
    }
  }

  bool differs = false;

 private:
  const StartPlayers& players_;
  StartSink& sink_;
};

// Reads a value of `bytes` bytes per slot from `offset` of the section; false when the section
// does not hold one for every person slot.
bool ReadSlots(PudFile& file, FirstSection which, std::uint64_t offset, std::size_t bytes,
               const StartPlayers& players, SlotValues& values) {
  const PudSection* section = file.First(which);
  const std::size_t slots = static_cast<std::size_t>(players.slots[players.count - 1].player);
  unsigned char data[kPlayerSlots * 4] = {};
  if (section == nullptr || file.Read(*section, offset, data, slots * bytes) < slots * bytes)
    return false;
  for (int i = 0; i < players.count; ++i) {
    const auto slot = static_cast<std::size_t>(players.slots[i].player - 1);
    values[i] = LittleEndianValue(&data[slot * bytes], bytes);
  }
  return true;
}

StartPlayers PersonSlots(PudFile& file) {
  StartPlayers players;
  unsigned char owners[kPlayerSlots] = {};
  unsigned char sides[kPlayerSlots] = {};
  const PudSection* owner = file.First(FirstSection::OWNR);
  if (owner == nullptr) return players;
  file.Read(*owner, 0, owners, sizeof owners);
  if (const PudSection* side = file.First(FirstSection::SIDE))
    file.Read(*side, 0, sides, sizeof sides);
  for (int slot = 0; slot < kPlayerSlots; ++slot) {
    if (owners[slot] == kPersonOwner)
      players.slots[players.count++] = {slot + 1, sides[slot] == kOrc};
  }
  return players;
}

// Counts the units of each kind that each person slot owns, in whole records.
void CountUnits(PudFile& file, const StartPlayers& players,
                SlotValues (&counts)[kUnitTypesStored]) {
  int personOf[256];
  std::fill(std::begin(personOf), std::end(personOf), -1);
  for (int i = 0; i < players.count; ++i) personOf[players.slots[i].player - 1] = i;
  ForEachUnitRecord(file, [&](const MapUnit& unit) {
    const int person = personOf[unit.owner];
    // The start locations are no units.
    if (person >= 0 && unit.type != kHumanStart && unit.type != kOrcStart)
      ++counts[KindOf(unit.type)][person];
  });
}

}  // namespace

bool CompareStarts(PudFile& file, StartSink& sink) {
  const StartPlayers players = PersonSlots(file);
  sink.AddPlayers(players);
  if (players.count < 2) return false;
  Comparison comparison(players, sink);
  SlotValues values;

  constexpr FirstSection kResources[] = {FirstSection::SGLD, FirstSection::SLBR,
                                         FirstSection::SOIL};
  for (int resource = 0; resource < 3; ++resource) {
    if (!ReadSlots(file, kResources[resource], 0, 2, players, values)) continue;
    comparison.Compare(values, {Item::Resource, resource, 0});
  }

  SlotValues counts[kUnitTypesStored] = {};
  CountUnits(file, players, counts);
  for (int kind = 0; kind < kUnitTypesStored; ++kind) {
    if (KindOf(kind) == kind) comparison.Compare(counts[kind], {Item::Unit, kind, 0});
  }

  // Without the section every slot may build and research everything.
  for (int array = 0; array < static_cast<int>(std::size(kStartAllowances)); ++array) {
    SlotValues words;
    if (!ReadSlots(file, FirstSection::ALOW, kStartAllowances[array].offset, 4, players, words))
      continue;
    if (std::count(words, words + players.count, words[0]) == players.count) continue;
    for (unsigned bit = 0; bit < 32; ++bit) {
      for (int i = 0; i < players.count; ++i) values[i] = words[i] >> bit & 1;
      comparison.Compare(values, {Item::Allowance, array, bit});
    }
  }
  return comparison.differs;
}

std::string_view SlotItemName(int player, std::string_view item, char (&room)[kStartNameRoom]) {
  NameWriter name(room);
  name << kPlayerColors[player - 1] << " " << item;
  return name.Text();
}
