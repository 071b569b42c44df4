// Unit statistics as a map file stores them, and the reader that takes them out of a map.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>

// The seven statistics, in the order they are compared and reported.
enum class Statistic {
  BuildTime,
  BasicAttack,
  PiercingDamage,
  GoldCost,
  WoodCost,
  OilCost,
  HitPoints
};

inline constexpr std::array<Statistic, 7> kStatistics = {
    Statistic::BuildTime, Statistic::BasicAttack, Statistic::PiercingDamage, Statistic::GoldCost,
    Statistic::WoodCost,  Statistic::OilCost,     Statistic::HitPoints};

// Unit types of the map format, 0 to 109.
inline constexpr int kUnitTypes = 110;

// Seven per-unit arrays exactly as the map stores them: costs in tens, hit points 16-bit.
struct PudUnitData {
  std::array<std::uint8_t, kUnitTypes> BuildTime{};
  std::array<std::uint8_t, kUnitTypes> BasicAttack{};
  std::array<std::uint8_t, kUnitTypes> PiercingDamage{};
  std::array<std::uint8_t, kUnitTypes> GoldCost{};
  std::array<std::uint8_t, kUnitTypes> WoodCost{};
  std::array<std::uint8_t, kUnitTypes> OilCost{};
  std::array<std::uint16_t, kUnitTypes> HitPoints{};
};

using ByteArray = std::array<std::uint8_t, kUnitTypes>;

// The six 8-bit arrays, in the order of their statistics; hit points are the seventh.
inline constexpr ByteArray PudUnitData::*kByteArrays[] = {
    &PudUnitData::BuildTime, &PudUnitData::BasicAttack, &PudUnitData::PiercingDamage,
    &PudUnitData::GoldCost,  &PudUnitData::WoodCost,    &PudUnitData::OilCost};

// The stored value of one statistic of one unit.
inline unsigned MapValue(const PudUnitData& data, Statistic statistic, int unit) {
  const auto i = static_cast<std::size_t>(unit);
  if (statistic == Statistic::HitPoints) return data.HitPoints[i];
  return (data.*kByteArrays[static_cast<std::size_t>(statistic)])[i];
}

enum class ReadOutcome {
  UnitDataRead,    // the arrays hold the map's values; compare them
  DefaultDataSet,  // the map uses the game's own unit data: nothing to compare
  OpenFailed,      // the file could not be opened or read
};

// Where the data of one section lies in the file, and how many bytes its header gives it.
struct PudSection {
  std::uint64_t offset;
  std::uint64_t length;
};

// The sections of one tag that the walk met, in file order. A map has one of each; the first few
// are kept, and a file with more than that is not what any map editor writes: its checks take it
// as changed (it is never reported clean).
inline constexpr int kSectionsKept = 4;

struct SectionList {
  int count = 0;      // sections kept
  bool more = false;  // the walk met more than kSectionsKept
  PudSection kept[kSectionsKept]{};
};

// The sections of which the walk keeps the first of each: what each player starts with, then the
// land (size, tileset, tiles, movement).
enum class FirstSection { OWNR, SIDE, SGLD, SLBR, SOIL, ALOW, UNIT, DIM, ERA, ERAX, MTXM, SQM };
inline constexpr char kFirstTags[][5] = {"OWNR", "SIDE", "SGLD", "SLBR", "SOIL", "ALOW",
                                         "UNIT", "DIM ", "ERA ", "ERAX", "MTXM", "SQM "};

// A map file's bytes are fetched this many at a time. The first read holds the whole walk of the
// usual layout up to the unit data and its seven arrays (piercing damage, the furthest in, ends at
// 4345), and all of a small map; later reads come as the walk or a reader asks for them. A map in
// memory is read where it lies.
inline constexpr std::size_t kReadBytes = 16384;

// An open map file. Opening walks its sections (4-byte tag, 32-bit little-endian length, data)
// from offset 0 to find the unit data (UDTA) and the upgrades (UGRD) wherever they stand. Once
// UDTA has been met nothing that follows undoes it: the walk ends where no whole header can be
// read. A walk that ends exactly at the end of the file without meeting UDTA finds no unit data
// (the map uses the game's own). A file that does not walk as sections (no TYPE section at 0, or
// before any UDTA a length running past the end or a header cut short) has its unit data at the
// fixed offsets of the usual layout: 138, or 128 when no "ERAX" tag stands at 108, reaching to
// the end of the file; no upgrades are found in it.
class PudFile {
 public:
  // Bare names resolve against the current directory. A name in UTF-8 is one that Windows'
  // narrow (ANSI) file functions cannot spell: it is opened by its wide-character form.
  explicit PudFile(const char* pudName, bool utf8Name = false);
  // Reads an open stream, which it closes.
  explicit PudFile(std::FILE* file);
  // Reads a map that is in memory already, where it lies; the bytes must outlive the PudFile.
  PudFile(const unsigned char* bytes, std::size_t size);
  ~PudFile();
  PudFile(const PudFile&) = delete;
  PudFile& operator=(const PudFile&) = delete;

  // False when the file could not be opened or read; it then has no sections.
  bool IsOpen() const { return file_ != nullptr || memory_ != nullptr; }
  const SectionList& UnitData() const { return unitData_; }
  const SectionList& Upgrades() const { return upgrades_; }
  // The first section of the kind that the walk met; null when it met none, or when the file
  // does not walk as sections.
  const PudSection* First(FirstSection which) const {
    const std::size_t i = static_cast<std::size_t>(which);
    return firstFound_[i] ? &firsts_[i] : nullptr;
  }

  // Copies bytes [at, at + count) of the section's data to `destination`, leaving the bytes that
  // neither the section nor the file holds as they were; gives the number copied.
  std::size_t Read(const PudSection& section, std::uint64_t at, void* destination,
                   std::size_t count);

 private:
  // A run of the file's bytes in memory.
  struct Window {
    std::uint64_t offset;
    std::size_t size;
    unsigned char bytes[kReadBytes];
  };
  // A file's windows, on the heap, so that a PudFile reading memory stays small.
  struct Windows {
    Window start;    // the first bytes of the file
    Window fetched;  // the bytes last fetched after them
  };

  void Walk();
  void UseFixedOffsets();
  bool EndsAt(std::uint64_t offset);
  std::size_t Copy(std::uint64_t offset, unsigned char* destination, std::size_t count);
  void Fetch(std::uint64_t offset);

  std::FILE* file_ = nullptr;
  const unsigned char* memory_ = nullptr;  // a map in memory, instead of the file
  std::uint64_t end_ = UINT64_MAX;  // no byte lies at or after it: the size, once a read met it
  Windows* windows_ = nullptr;      // none for a map in memory
  SectionList unitData_;
  SectionList upgrades_;
  PudSection firsts_[std::size(kFirstTags)]{};
  bool firstFound_[std::size(kFirstTags)]{};
};

// Reads the default-data flag of one unit-data section and, when it is clear, the seven arrays.
// Every read starts from zeroed arrays, so whatever the section or the file does not supply
// reads as 0, never as a value left over from an earlier map.
ReadOutcome ReadPudUnitData(PudFile& file, const PudSection& section, PudUnitData& data);
