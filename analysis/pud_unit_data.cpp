#include "pud_unit_data.h"

#include <cstdio>
#include <cstring>

namespace {

// The offsets below hold for a map whose sections before the unit data stand in the usual order
// with the optional ERAX section (10 bytes) present; without it everything lies 10 bytes earlier.
constexpr long kEraxTagOffset = 108;
constexpr char kEraxTag[4] = {'E', 'R', 'A', 'X'};
constexpr long kWithoutErax = -10;
constexpr long kDefaultDataFlagOffset = 138;

// Large enough to hold every byte the reader takes (the last one is at 4345), so the stream
// fills its buffer once and every later seek lands inside it.
constexpr std::size_t kStreamBuffer = 8192;

struct ArrayRead {
  long offset;
  void* destination;
  std::size_t bytes;
};

}  // namespace

unsigned MapValue(const PudUnitData& data, Statistic statistic, int unit) {
  const auto i = static_cast<std::size_t>(unit);
  switch (statistic) {
    case Statistic::BuildTime:
      return data.BuildTime[i];
    case Statistic::BasicAttack:
      return data.BasicAttack[i];
    case Statistic::PiercingDamage:
      return data.PiercingDamage[i];
    case Statistic::GoldCost:
      return data.GoldCost[i];
    case Statistic::WoodCost:
      return data.WoodCost[i];
    case Statistic::OilCost:
      return data.OilCost[i];
    case Statistic::HitPoints:
      return data.HitPoints[i];
  }
  return 0;
}

ReadOutcome ReadPudUnitData(const char* pudName, PudUnitData& data) {
  std::FILE* file = std::fopen(pudName, "rb");
  if (file == nullptr) return ReadOutcome::OpenFailed;
  char streamBuffer[kStreamBuffer];
  std::setvbuf(file, streamBuffer, _IOFBF, sizeof streamBuffer);

  // A file too short for the probe or the flag leaves these zero: no "ERAX", flag clear.
  char probe[4] = {};
  unsigned char defaultDataFlag = 0;

  std::fseek(file, kEraxTagOffset, SEEK_SET);
  std::fread(probe, 1, sizeof probe, file);
  const long correction = std::memcmp(probe, kEraxTag, sizeof probe) == 0 ? 0 : kWithoutErax;

  std::fseek(file, kDefaultDataFlagOffset + correction, SEEK_SET);
  std::fread(&defaultDataFlag, 1, 1, file);
  if (defaultDataFlag != 0) {
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? ReadOutcome::OpenFailed : ReadOutcome::DefaultDataSet;
  }

  data = PudUnitData{};
  // Hit points are read as raw bytes, low byte first, and assembled below.
  std::array<unsigned char, 2 * kUnitTypes> hitPointBytes{};
  const ArrayRead reads[] = {
      {2146, data.BuildTime.data(), data.BuildTime.size()},
      {4126, data.BasicAttack.data(), data.BasicAttack.size()},
      {4236, data.PiercingDamage.data(), data.PiercingDamage.size()},
      {2256, data.GoldCost.data(), data.GoldCost.size()},
      {2366, data.WoodCost.data(), data.WoodCost.size()},
      {2476, data.OilCost.data(), data.OilCost.size()},
      {1816, hitPointBytes.data(), hitPointBytes.size()},
  };
  for (const ArrayRead& read : reads) {
    std::fseek(file, read.offset + correction, SEEK_SET);
    std::fread(read.destination, 1, read.bytes, file);
  }
  for (std::size_t i = 0; i < data.HitPoints.size(); ++i) {
    data.HitPoints[i] =
        static_cast<std::uint16_t>(hitPointBytes[2 * i] + 256u * hitPointBytes[2 * i + 1]);
  }

  // A stream that opened but cannot be read (a directory, a device error) is no map at all.
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return failed ? ReadOutcome::OpenFailed : ReadOutcome::UnitDataRead;
}
