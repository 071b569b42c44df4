#include <gtest/gtest.h>

#include <cstring>

#include "pud_unit_data.h"
#include "sample_pud.h"
#include "test_support.h"

namespace {

// The first unit-data section of the map, as the report reads it.
ReadOutcome ReadPudUnitData(const char* pudName, PudUnitData& data) {
  PudFile file(pudName);
  if (!file.IsOpen()) return ReadOutcome::OpenFailed;
  return ::ReadPudUnitData(file, file.UnitData().kept[0], data);
}

// A file whose every byte tells its own offset, with `tag` at the ERAX position and a clear
// default-data flag at both possible places.
std::vector<std::uint8_t> PatternFile(std::size_t size, const char tag[4]) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256 + 1);
  for (std::size_t i = 0; i < 4 && 108 + i < size; ++i)
    bytes[108 + i] = static_cast<std::uint8_t>(tag[i]);
  for (std::size_t flag : {128u, 138u}) {
    if (flag < size) bytes[flag] = 0;
  }
  return bytes;
}

struct ArrayAt {
  Statistic statistic;
  std::size_t offset;  // of unit 0 in a map with the ERAX section
};

// Where each statistic of unit 0 stands, and how far apart two units are.
constexpr ArrayAt kArrays[] = {
    {Statistic::BuildTime, 2146}, {Statistic::BasicAttack, 4126}, {Statistic::PiercingDamage, 4236},
    {Statistic::GoldCost, 2256},  {Statistic::WoodCost, 2366},    {Statistic::OilCost, 2476},
    {Statistic::HitPoints, 1816},
};

unsigned Expected(const std::vector<std::uint8_t>& bytes, const ArrayAt& array, int unit,
                  std::size_t correction) {
  if (array.statistic == Statistic::HitPoints) {
    const std::size_t at = array.offset - correction + 2 * static_cast<std::size_t>(unit);
    return bytes[at] + 256u * bytes[at + 1];
  }
  return bytes[array.offset - correction + static_cast<std::size_t>(unit)];
}

struct ProbeCase {
  const char* tag;
  std::size_t correction;
};

class ProbeTest : public testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeTest, ReadsEveryArrayAtItsOffset) {
  const ScratchDir dir;
  const std::vector<std::uint8_t> bytes = PatternFile(4346, GetParam().tag);
  const std::string path = dir.Write("pattern.pud", bytes);
  PudUnitData data;
  ASSERT_EQ(ReadPudUnitData(path.c_str(), data), ReadOutcome::UnitDataRead);
  for (const ArrayAt& array : kArrays) {
    for (int unit : {0, 1, 57, 109}) {
      EXPECT_EQ(MapValue(data, array.statistic, unit),
                Expected(bytes, array, unit, GetParam().correction))
          << "statistic " << static_cast<int>(array.statistic) << " unit " << unit;
    }
  }
}

// Only the exact tag keeps the offsets; anything else means the section is absent.
INSTANTIATE_TEST_SUITE_P(Tags, ProbeTest,
                         testing::Values(ProbeCase{"ERAX", 0}, ProbeCase{"erax", 10},
                                         ProbeCase{"ERAx", 10}, ProbeCase{"DIM ", 10},
                                         ProbeCase{"XARE", 10}));

TEST(ReaderTest, MapsWithAndWithoutEraxReadTheSame) {
  const ScratchDir dir;
  SamplePud sample;
  for (Statistic statistic : kStatistics) {
    for (int unit = 0; unit < kUnitTypes; ++unit) {
      SetMapValue(sample.units, statistic, unit,
                  static_cast<unsigned>(unit * 3 + static_cast<int>(statistic) * 40 + 1) +
                      (statistic == Statistic::HitPoints ? 1000u : 0u));
    }
  }
  for (bool erax : {true, false}) {
    sample.erax = erax;
    PudUnitData data;
    const std::string path = dir.Write("map.pud", BuildPud(sample));
    ASSERT_EQ(ReadPudUnitData(path.c_str(), data), ReadOutcome::UnitDataRead) << erax;
    for (Statistic statistic : kStatistics) {
      for (int unit = 0; unit < kUnitTypes; ++unit) {
        ASSERT_EQ(MapValue(data, statistic, unit), MapValue(sample.units, statistic, unit))
            << "erax " << erax << " statistic " << static_cast<int>(statistic) << " unit " << unit;
      }
    }
  }
}

struct FlagCase {
  std::uint16_t word;
  ReadOutcome outcome;
};

class DefaultDataTest : public testing::TestWithParam<FlagCase> {};

// Only the low byte of the first unit-data word counts.
TEST_P(DefaultDataTest, LowByteDecides) {
  const ScratchDir dir;
  for (bool erax : {true, false}) {
    SamplePud sample;
    sample.erax = erax;
    sample.defaultDataWord = GetParam().word;
    SetMapValue(sample.units, Statistic::HitPoints, 0, 999);
    PudUnitData data;
    data.HitPoints[0] = 7;
    const std::string path = dir.Write("map.pud", BuildPud(sample));
    EXPECT_EQ(ReadPudUnitData(path.c_str(), data), GetParam().outcome) << erax;
    EXPECT_EQ(data.HitPoints[0], GetParam().outcome == ReadOutcome::DefaultDataSet ? 7 : 999);
  }
}

INSTANTIATE_TEST_SUITE_P(Words, DefaultDataTest,
                         testing::Values(FlagCase{0, ReadOutcome::UnitDataRead},
                                         FlagCase{1, ReadOutcome::DefaultDataSet},
                                         FlagCase{255, ReadOutcome::DefaultDataSet},
                                         FlagCase{256, ReadOutcome::UnitDataRead},
                                         FlagCase{0x8001, ReadOutcome::DefaultDataSet}));

// A short file after a full one: what the short file lacks reads as 0, never as the values of
// the map read before it.
TEST(ReaderTest, ShortFileAfterFullMapReadsZeroWhereItEnds) {
  const ScratchDir dir;
  SamplePud full;
  PudUnitData data;
  ASSERT_EQ(ReadPudUnitData(dir.Write("full.pud", BuildPud(full)).c_str(), data),
            ReadOutcome::UnitDataRead);

  std::vector<std::uint8_t> shortMap = BuildPud(full);
  shortMap.resize(2000);
  ASSERT_EQ(ReadPudUnitData(dir.Write("short.pud", shortMap).c_str(), data),
            ReadOutcome::UnitDataRead);
  for (int unit = 0; unit < kUnitTypes; ++unit) {
    const auto i = static_cast<std::size_t>(unit);
    EXPECT_EQ(data.HitPoints[i], unit <= 91 ? full.units.HitPoints[i] : 0) << unit;
    for (Statistic statistic : kStatistics) {
      if (statistic != Statistic::HitPoints) {
        EXPECT_EQ(MapValue(data, statistic, unit), 0u);
      }
    }
  }
}

TEST(ReaderTest, HalfAHitPointValueKeepsItsLowByte) {
  const ScratchDir dir;
  std::vector<std::uint8_t> bytes = PatternFile(1817, "ERAX");
  bytes[1816] = 0x34;
  PudUnitData data;
  ASSERT_EQ(ReadPudUnitData(dir.Write("cut.pud", bytes).c_str(), data), ReadOutcome::UnitDataRead);
  EXPECT_EQ(data.HitPoints[0], 0x34);
  EXPECT_EQ(data.HitPoints[1], 0);
}

// Files too short for the probe or the flag: no ERAX, flag clear, arrays as far as there are
// bytes.
TEST(ReaderTest, TinyFilesReadAsZero) {
  const ScratchDir dir;
  for (std::size_t size : {0u, 3u, 110u, 128u}) {
    PudUnitData data;
    data.BuildTime[5] = 9;
    const std::string path = dir.Write("tiny.pud", std::vector<std::uint8_t>(size, 0xEE));
    ASSERT_EQ(ReadPudUnitData(path.c_str(), data), ReadOutcome::UnitDataRead) << size;
    EXPECT_EQ(data.BuildTime[5], 0) << size;
  }
}

TEST(ReaderTest, WhatCannotBeOpenedOrReadFails) {
  const ScratchDir dir;
  PudUnitData data;
  EXPECT_EQ(ReadPudUnitData((dir.path() / "missing.pud").string().c_str(), data),
            ReadOutcome::OpenFailed);
  EXPECT_EQ(ReadPudUnitData(dir.path().string().c_str(), data), ReadOutcome::OpenFailed);
}

}  // namespace
