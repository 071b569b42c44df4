#include <gtest/gtest.h>

#include "report.h"
#include "sample_pud.h"
#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

struct LineCase {
  const char* name;
  const char* line;
};

class ReportLineTest : public testing::TestWithParam<LineCase> {};

// Three tabs up to 8 characters, two up to 18, one from 19 on; trailing blanks count.
TEST_P(ReportLineTest, TabsByNameLength) {
  LineCollector sink;
  AddReportLine(GetParam().name, 250, 200, sink);
  EXPECT_EQ(sink.lines, Lines{GetParam().line});
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, ReportLineTest,
    testing::Values(LineCase{"catapult", "catapult\t\t\t250\t200"},
                    LineCase{"ogre-mage", "ogre-mage\t\t250\t200"},
                    LineCase{"human oil platform", "human oil platform\t\t250\t200"},
                    LineCase{"human blacksmiths  ", "human blacksmiths  \t250\t200"},
                    LineCase{"human cannon tower  ", "human cannon tower  \t250\t200"}));

// A name fills at most its field; values take all their digits.
TEST(ReportLineTest, WidestParts) {
  LineCollector sink;
  const std::string overlong(kNameField + 5, 'n');
  AddReportLine(overlong.c_str(), 4294967295u, 0, sink);
  AddReportLine("ogre", 4294967295u, 4294967295u, sink);
  EXPECT_EQ(sink.lines, (Lines{std::string(kNameField, 'n') + "\t4294967295\t0",
                               "ogre\t\t\t4294967295\t4294967295"}));
  for (const std::string& line : sink.lines) EXPECT_LE(line.size(), kMaxReportLine);
}

struct Change {
  Statistic statistic;
  int unit;
  unsigned value;  // as stored
};

struct ReportCase {
  const char* what;
  std::vector<Change> changes;
  Lines lines;
};

// Every statistic of the rows the tables mark to be skipped, unit 34 in combat, and the units
// past the tables' end changed.
std::vector<Change> Unreported() {
  const PudUnitData standard = StandardUnitData();
  std::vector<Change> changes;
  const auto change = [&](Statistic statistic, int unit) {
    changes.push_back({statistic, unit, MapValue(standard, statistic, unit) ^ 1u});
  };
  for (Statistic statistic : kStatistics) {
    for (int unit : {36, 37, 48, 54, 92, 93, 94, 95, 100, 109}) change(statistic, unit);
  }
  change(Statistic::BasicAttack, 34);
  change(Statistic::PiercingDamage, 34);
  return changes;
}

class AnalysisTest : public testing::TestWithParam<ReportCase> {};

TEST_P(AnalysisTest, Report) {
  const ScratchDir dir;
  SamplePud sample;
  for (const Change& change : GetParam().changes) {
    SetMapValue(sample.units, change.statistic, change.unit, change.value);
  }
  LineCollector sink;
  const Analysis analysis = AnalysePud(dir.Write("map.pud", BuildPud(sample)).c_str(), sink);
  EXPECT_EQ(analysis.outcome, ReadOutcome::UnitDataRead);
  EXPECT_EQ(sink.lines, GetParam().lines);
  EXPECT_EQ(analysis.discrepancies, !GetParam().lines.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Maps, AnalysisTest,
    testing::Values(ReportCase{"standard", {}, {}},
                    ReportCase{"footman hit points",
                               {{Statistic::HitPoints, 0, 100}},
                               {" ", "Hit Points change:-", "footman\t\t\t60\t100"}},
                    ReportCase{"build time has no spacer line",
                               {{Statistic::BuildTime, 5, 200}},
                               {"Build time change:-", "catapult\t\t\t250\t200"}},
                    ReportCase{"costs show times ten",
                               {{Statistic::GoldCost, 2, 45}, {Statistic::WoodCost, 4, 255}},
                               {" ", "Gold cost change:-", "peasant\t\t\t400\t450", " ",
                                "Wood cost change:-", "ballista\t\t\t300\t2550"}},
                    ReportCase{"hit points are unsigned 16-bit",
                               {{Statistic::HitPoints, 90, 65535}},
                               {" ", "Hit Points change:-", "castle\t\t\t1600\t65535"}},
                    ReportCase{"sections in order, units ascending",
                               {{Statistic::OilCost, 32, 0},
                                {Statistic::BasicAttack, 99, 1},
                                {Statistic::BasicAttack, 1, 7}},
                               {" ", "Unit Basic attack change:-", "grunt\t\t\t6\t7",
                                "orc cannon tower\t\t50\t1", " ", "Oil cost change:-",
                                "battleship\t\t1000\t0"}},
                    ReportCase{"unit 34 outside combat is reported as padding",
                               {{Statistic::HitPoints, 34, 5},
                                {Statistic::BasicAttack, 34, 5},
                                {Statistic::PiercingDamage, 34, 5},
                                {Statistic::OilCost, 34, 1}},
                               {" ", "Oil cost change:-", "padding\t\t\t0\t10", " ",
                                "Hit Points change:-", "padding\t\t\t0\t5"}},
                    ReportCase{
                        "marked rows and units past 99 are never reported", Unreported(), {}}),
    [](const testing::TestParamInfo<ReportCase>& test) {
      std::string name = test.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

}  // namespace
