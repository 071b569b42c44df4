#include <gtest/gtest.h>

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
  const ScratchDir dir;
  SamplePud sample = Distinct();
  for (const char* tag : {"ERAX", "", "erax", "ERAx", "ERA "}) {
    for (bool walks : {true, false}) {
      sample.erax = tag[0] == 'E' && tag[3] == 'X';
      std::vector<std::uint8_t> bytes = BuildPud(sample);
      if (!sample.erax && tag[0] != '\0') std::copy_n(tag, 4, bytes.begin() + 108);
      if (!walks) bytes[0] = 'X';
      PudUnitData data;
      ASSERT_EQ(ReadPudUnitData(dir.Write("map.pud", bytes).c_str(), data),
                ReadOutcome::UnitDataRead)
          << tag;
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
  const ScratchDir dir;
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
      EXPECT_EQ(ReadPudUnitData(dir.Write("map.pud", BuildPud(sample)).c_str(), data), outcome)
          << word << " erax " << erax;
    }
  }
}

// What a short file lacks reads as 0, not as the map read before; half a value keeps its low byte.
TEST(ReaderTest, ShortFileAfterFullMapReadsZeroWhereItEnds) {
  const ScratchDir dir;
  const SamplePud full = Distinct();
  PudUnitData data;
  ASSERT_EQ(ReadPudUnitData(dir.Write("full.pud", BuildPud(full)).c_str(), data),
            ReadOutcome::UnitDataRead);

  std::vector<std::uint8_t> shortMap = BuildPud(full);
  shortMap.resize(1816 + 2 * 91 + 1);
  ASSERT_EQ(ReadPudUnitData(dir.Write("short.pud", shortMap).c_str(), data),
            ReadOutcome::UnitDataRead);
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
