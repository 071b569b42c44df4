// Unit statistics as a map file stores them, and the reader that takes them out of a map.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

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

// Reads the unit statistics of the map file `pudName` (bare names resolve against the current
// directory). Every read starts from zeroed arrays, so whatever a short file does not supply
// reads as 0, never as a value left over from an earlier map.
ReadOutcome ReadPudUnitData(const char* pudName, PudUnitData& data);
