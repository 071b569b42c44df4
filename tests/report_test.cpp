#include <gtest/gtest.h>

#include <algorithm>

#include "cli.h"
#include "report_lines.h"
#include "sample_pud.h"
#include "test_support.h"

namespace {

// The lines of a report, each ended by a line feed.
std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

// Three tabs up to 8 characters, two up to 18, one from 19 on, trailing blanks counting; a name
// fills at most its field; values take all their digits.
TEST(ReportLineTest, TabsByNameLengthAndWidestParts) {
  const std::string overlong(kNameField + 5, 'n');
  const struct {
    const char* name;
    const char *standard, *mapValue;
    std::string line;
  } cases[] = {
      {"catapult", "250", "200", "catapult\t\t\t250\t200"},
      {"ogre-mage", "250", "200", "ogre-mage\t\t250\t200"},
      {"human oil platform", "250", "200", "human oil platform\t\t250\t200"},
      {"human blacksmiths  ", "250", "200", "human blacksmiths  \t250\t200"},
      {overlong.c_str(), "4294967295", "0", std::string(kNameField, 'n') + "\t4294967295\t0"},
      {"ogre", "4294967295", "4294967295", "ogre\t\t\t4294967295\t4294967295"}};
  for (const auto& c : cases) {
    LineCollector sink;
    AddReportLine(c.name, c.standard, c.mapValue, sink);
    EXPECT_EQ(sink.lines, std::vector<std::string>{c.line});
    EXPECT_LE(sink.lines.at(0).size(), kMaxReportLine);
  }
}

struct Change {
  Statistic statistic;
  int unit;
  unsigned value;  // as stored
};

// Every statistic changed of the rows marked skipped, unit 34 in combat and units past the end.
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

using S = Statistic;

// The seven statistics' report and, with every field, the other fields' lines after it: each
// change once, the seven fields only where the seven comparisons do not report them (`others`,
// unless null); the checker's table has a line for each of the window's.
TEST(AnalysisTest, Reports) {
  const struct {
    const char* what;
    std::vector<Change> changes;
    const char* report;
    const char* others = "";
    std::vector<FieldValue> fields = {};
  } cases[] = {
      {"standard", {}, ""},
      {"build time has no spacer line",
       {{S::BuildTime, 5, 200}},
       "Build time change:-\ncatapult\t\t\t250\t200\n"},
      {"costs show times ten",
       {{S::GoldCost, 2, 45}, {S::WoodCost, 4, 255}},
       " \nGold cost change:-\npeasant\t\t\t400\t450\n \nWood cost "
       "change:-\nballista\t\t\t300\t2550\n"},
      {"hit points are unsigned 16-bit",
       {{S::HitPoints, 90, 65535}},
       " \nHit Points change:-\ncastle\t\t\t1600\t65535\n"},
      {"sections in order, units ascending",
       {{S::OilCost, 32, 0}, {S::BasicAttack, 99, 1}, {S::BasicAttack, 1, 7}},
       " \nUnit Basic attack change:-\ngrunt\t\t\t6\t7\norc cannon tower\t\t50\t1\n"
       " \nOil cost change:-\nbattleship\t\t1000\t0\n"},
      {"unit 34 outside combat is reported as padding",
       {{S::HitPoints, 34, 5}, {S::BasicAttack, 34, 5}, {S::OilCost, 34, 1}},
       " \nOil cost change:-\npadding\t\t\t0\t10\n \nHit Points change:-\npadding\t\t\t0\t5\n",
       " \nUnit basic damage change:-\npadding\t\t\t0\t5\n"},
      {"marked rows and units past 99 are never reported", Unreported(), "", nullptr},
      {"other fields and upgrades",
       {},
       "",
       " \nUnit sight range change:-\nfootman\t\t\t4\t9\n \nUpgrade time change:-\n"
       "sword 1\t\t\t200\t100\n",
       {{"UGRD", "time", 0, 100}, {"UDTA", "sight_range", 0, 9}}},
      {"an upgrade alone changes the verdict",
       {},
       "",
       " \nUpgrade oil change:-\nhuman shield 1\t\t0\t7\n",
       {{"UGRD", "oil", 8, 7}}},
      {"units the seven do not report, costs in full",
       {{S::HitPoints, 36, 7}, {S::GoldCost, 105, 3}},
       "",
       " \nUnit hit points change:-\n(unused 36)\t\t60\t7\n \nUnit gold cost change:-\n"
       "(unused 105)\t\t0\t30\n"},
      {"the title over the first change not reported",
       {{S::BuildTime, 0, 1}, {S::BuildTime, 103, 9}},
       "Build time change:-\nfootman\t\t\t60\t1\n",
       " \nUnit build time change:-\nhuman wall\t\t30\t9\n"}};
  const ScratchDir dir;
  for (const auto& c : cases) {
    SamplePud sample;
    for (const Change& change : c.changes)
      SetMapValue(sample.units, change.statistic, change.unit, change.value);
    sample.fields = c.fields;
    const std::string map = dir.Write("map.pud", BuildPud(sample));
    LineCollector sink, every;
    const Analysis analysis = AnalysePud(map.c_str(), sink);
    EXPECT_EQ(analysis.outcome, ReadOutcome::UnitDataRead) << c.what;
    EXPECT_EQ(Joined(sink.lines), c.report) << c.what;
    EXPECT_EQ(analysis.discrepancies, c.report[0] != '\0') << c.what;
    if (c.others == nullptr) continue;
    const bool found = AnalysePud(map.c_str(), every, false, true).discrepancies;
    EXPECT_EQ(found, !every.lines.empty()) << c.what;
    EXPECT_EQ(Joined(every.lines), c.report + std::string(c.others)) << c.what;
    StringOutput out, err;
    RunCli({"--all", map}, out, err);
    EXPECT_EQ(std::count(out.text.begin(), out.text.end(), '\n'), every.lines.size() + 2) << c.what;
  }
}

}  // namespace
