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
                    ReportCase{"every section",
                               {{Statistic::BuildTime, 3, 1},
                                {Statistic::BasicAttack, 3, 1},
                                {Statistic::PiercingDamage, 3, 1},
                                {Statistic::GoldCost, 3, 1},
                                {Statistic::WoodCost, 3, 1},
                                {Statistic::OilCost, 3, 1},
                                {Statistic::HitPoints, 3, 1}},
                               {"Build time change:-",
                                "peon\t\t\t45\t1",
                                " ",
                                "Unit Basic attack change:-",
                                "peon\t\t\t3\t1",
                                " ",
                                "Unit Piercing Damage change:-",
                                "peon\t\t\t2\t1",
                                " ",
                                "Gold cost change:-",
                                "peon\t\t\t400\t10",
                                " ",
                                "Wood cost change:-",
                                "peon\t\t\t0\t10",
                                " ",
                                "Oil cost change:-",
                                "peon\t\t\t0\t10",
                                " ",
                                "Hit Points change:-",
                                "peon\t\t\t30\t1"}},
                    ReportCase{"unit 34 outside combat is reported as padding",
                               {{Statistic::HitPoints, 34, 5},
                                {Statistic::BasicAttack, 34, 5},
                                {Statistic::PiercingDamage, 34, 5},
                                {Statistic::OilCost, 34, 1}},
                               {" ", "Oil cost change:-", "padding\t\t\t0\t10", " ",
                                "Hit Points change:-", "padding\t\t\t0\t5"}},
                    ReportCase{"marked rows and units past 99 are never reported",
                               {{Statistic::BasicAttack, 36, 0},
                                {Statistic::PiercingDamage, 37, 0},
                                {Statistic::HitPoints, 48, 10},
                                {Statistic::GoldCost, 95, 10},
                                {Statistic::HitPoints, 100, 10},
                                {Statistic::BuildTime, 109, 10}},
                               {}}),
    [](const testing::TestParamInfo<ReportCase>& test) {
      std::string name = test.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(AnalysisTest, DefaultDataMeansNoComparison) {
  const ScratchDir dir;
  SamplePud sample;
  sample.defaultDataWord = 1;
  SetMapValue(sample.units, Statistic::HitPoints, 0, 1);
  LineCollector sink;
  const Analysis analysis = AnalysePud(dir.Write("map.pud", BuildPud(sample)).c_str(), sink);
  EXPECT_EQ(analysis.outcome, ReadOutcome::DefaultDataSet);
  EXPECT_FALSE(analysis.discrepancies);
  EXPECT_TRUE(sink.lines.empty());
}

// A partly downloaded map checked right after a clean one still shows what it lacks.
TEST(AnalysisTest, ShortMapAfterCleanOneIsNotClean) {
  const ScratchDir dir;
  std::vector<std::uint8_t> bytes = BuildPud(SamplePud{});
  LineCollector clean;
  ASSERT_FALSE(AnalysePud(dir.Write("clean.pud", bytes).c_str(), clean).discrepancies);
  bytes.resize(4000);
  LineCollector cut;
  EXPECT_TRUE(AnalysePud(dir.Write("cut.pud", bytes).c_str(), cut).discrepancies);
  EXPECT_EQ(cut.lines.at(0), " ");
  EXPECT_EQ(cut.lines.at(1), "Unit Basic attack change:-");
}

TEST(AnalysisTest, UnopenableMapWritesNothing) {
  const ScratchDir dir;
  LineCollector sink;
  const Analysis analysis = AnalysePud((dir.path() / "gone.pud").string().c_str(), sink);
  EXPECT_EQ(analysis.outcome, ReadOutcome::OpenFailed);
  EXPECT_FALSE(analysis.discrepancies);
  EXPECT_TRUE(sink.lines.empty());
}

}  // namespace
