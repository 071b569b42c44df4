#include <gtest/gtest.h>

#include "pud_unit_data.h"
#include "sample_pud.h"
#include "test_support.h"

namespace {

// The first unit-data section of the map, as the report reads it from a file; read from memory,
// as the page reads it, it must give the same.
ReadOutcome ReadPudUnitData(const std::vector<std::uint8_t>& bytes, PudUnitData& data) {
  const ScratchDir dir;
  PudFile file(dir.Write("map.pud", bytes).c_str());
  PudFile memory(bytes.data(), bytes.size());
  if (!file.IsOpen()) return ReadOutcome::OpenFailed;
  PudUnitData fromMemory = data;
  const ReadOutcome outcome = ::ReadPudUnitData(file, file.UnitData().kept[0], data);
  EXPECT_EQ(::ReadPudUnitData(memory, memory.UnitData().kept[0], fromMemory), outcome);
  for (const ByteArray PudUnitData::*array : kByteArrays) EXPECT_EQ(fromMemory.*array, data.*array);
  EXPECT_EQ(fromMemory.HitPoints, data.HitPoints);
  return outcome;
}

// Every value of every array distinct, so that an array read from the wrong place shows.
SamplePud Distinct() {
  SamplePud sample;
  for (Statistic statistic : kStatistics) {
    for (int unit = 0; unit < kUnitTypes; ++unit) {
      SetMapValue(sample.units, statistic, unit,
                  static_cast<unsigned>(unit * 3 + static_cast<int>(statistic) * 40 + 1) +
                      (statistic == Statistic::HitPoints ? 1000u : 0u));
    }
  }
  return sample;
}

// A map read through its sections, or, with its first tag spoilt, at the fixed offsets: with the
// ERAX section the arrays lie 10 bytes further in, and only the exact tag at its place counts.
TEST(ReaderTest, MapsWithAndWithoutEraxReadTheSame) {
  SamplePud sample = Distinct();
  for (const char* tag : {"ERAX", "", "erax", "ERAx", "ERA "}) {
    for (bool walks : {true, false}) {
      sample.erax = tag[0] == 'E' && tag[3] == 'X';
      std::vector<std::uint8_t> bytes = BuildPud(sample);
      if (!sample.erax && tag[0] != '\0') std::copy_n(tag, 4, bytes.begin() + 108);
      if (!walks) bytes[0] = 'X';
      PudUnitData data;
      ASSERT_EQ(ReadPudUnitData(bytes, data), ReadOutcome::UnitDataRead) << tag;
      for (Statistic statistic : kStatistics) {
        for (int unit = 0; unit < kUnitTypes; ++unit) {
          ASSERT_EQ(MapValue(data, statistic, unit), MapValue(sample.units, statistic, unit))
              << tag << " walks " << walks << " unit " << unit;
        }
      }
    }
  }
}

// Only the low byte of the first unit-data word counts.
TEST(ReaderTest, DefaultDataFlagIsTheLowByte) {
  const std::pair<int, ReadOutcome> cases[] = {{0, ReadOutcome::UnitDataRead},
                                               {1, ReadOutcome::DefaultDataSet},
                                               {255, ReadOutcome::DefaultDataSet},
                                               {256, ReadOutcome::UnitDataRead},
                                               {0x8001, ReadOutcome::DefaultDataSet}};
  for (const auto& [word, outcome] : cases) {
    for (bool erax : {true, false}) {
      SamplePud sample;
      sample.erax = erax;
      sample.defaultDataWord = static_cast<std::uint16_t>(word);
      PudUnitData data;
      EXPECT_EQ(ReadPudUnitData(BuildPud(sample), data), outcome) << word << " erax " << erax;
    }
  }
}

// What a short file lacks reads as 0, not as the map read before; half a value keeps its low byte.
TEST(ReaderTest, ShortFileAfterFullMapReadsZeroWhereItEnds) {
  const SamplePud full = Distinct();
  PudUnitData data;
  ASSERT_EQ(ReadPudUnitData(BuildPud(full), data), ReadOutcome::UnitDataRead);

  std::vector<std::uint8_t> shortMap = BuildPud(full);
  shortMap.resize(1816 + 2 * 91 + 1);
  ASSERT_EQ(ReadPudUnitData(shortMap, data), ReadOutcome::UnitDataRead);
  for (int unit = 0; unit < kUnitTypes; ++unit) {
    const auto i = static_cast<std::size_t>(unit);
    const unsigned expected = unit < 91    ? full.units.HitPoints[i]
                              : unit == 91 ? full.units.HitPoints[i] & 0xFFu
                                           : 0u;
    EXPECT_EQ(data.HitPoints[i], expected) << unit;
    for (Statistic statistic : kStatistics) {
      if (statistic != Statistic::HitPoints) {
        EXPECT_EQ(MapValue(data, statistic, unit), 0u);
      }
    }
  }
}

}  // namespace
