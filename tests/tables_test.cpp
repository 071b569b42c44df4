#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "standard_tables.h"

namespace {

std::vector<int> WalkedRows(Statistic statistic) {
  std::vector<int> rows;
  WalkStandardTable(statistic, [&](int row, const StandardRow&) { rows.push_back(row); });
  return rows;
}

bool IsCombat(Statistic statistic) {
  return statistic == Statistic::BasicAttack || statistic == Statistic::PiercingDamage;
}

TEST(StandardTablesTest, WalkVisitsUnitsZeroToNinetyNine) {
  for (Statistic statistic : kStatistics) {
    const std::vector<int> rows = WalkedRows(statistic);
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows.front(), 0);
    EXPECT_EQ(rows.back(), 99);
    EXPECT_STREQ(StandardTableRow(statistic, 100).name, "X");
  }
}

TEST(StandardTablesTest, MarksAndReportableRows) {
  const std::set<int> skippedEverywhere = {36, 37, 48, 54, 92, 93, 94, 95};
  for (Statistic statistic : kStatistics) {
    int reportable = 0;
    for (int row : WalkedRows(statistic)) {
      const char* name = StandardTableRow(statistic, row).name;
      const bool skipped = skippedEverywhere.count(row) != 0 || (row == 34 && IsCombat(statistic));
      EXPECT_EQ(IsReportable(name), !skipped) << static_cast<int>(statistic) << " row " << row;
      if (skipped) {
        EXPECT_STREQ(name, "\xFFpadding") << row;
      }
      reportable += IsReportable(name);
    }
    EXPECT_EQ(reportable, IsCombat(statistic) ? 91 : 92);
  }
  EXPECT_STREQ(StandardTableRow(Statistic::HitPoints, 34).name, "padding");
}

// The names the report shows, byte for byte, and the same in every table.
TEST(StandardTablesTest, NamesAgreeAcrossTablesAndAreUnique) {
  std::set<std::string> names;
  for (int row = 0; row < 100; ++row) {
    const char* name = StandardTableRow(Statistic::BuildTime, row).name;
    for (Statistic statistic : kStatistics) {
      if (row == 34 && IsCombat(statistic)) continue;
      EXPECT_STREQ(StandardTableRow(statistic, row).name, name) << row;
    }
    if (IsReportable(name)) {
      EXPECT_TRUE(names.insert(name).second) << name;
    }
  }
  EXPECT_STREQ(StandardTableRow(Statistic::GoldCost, 82).name, "human blacksmiths  ");
  EXPECT_STREQ(StandardTableRow(Statistic::GoldCost, 98).name, "human cannon tower  ");
  EXPECT_STREQ(StandardTableRow(Statistic::OilCost, 87).name, "orc oil platfrom");
}

struct ValueCase {
  Statistic statistic;
  int row;
  unsigned value;
};

class StandardValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(StandardValueTest, Value) {
  EXPECT_EQ(StandardTableRow(GetParam().statistic, GetParam().row).value, GetParam().value);
}

// Values at the edges of their fields, and the unreported values of marked rows.
INSTANTIATE_TEST_SUITE_P(
    Edges, StandardValueTest,
    testing::Values(
        ValueCase{Statistic::HitPoints, 88, 1400}, ValueCase{Statistic::HitPoints, 89, 1400},
        ValueCase{Statistic::HitPoints, 90, 1600}, ValueCase{Statistic::HitPoints, 91, 1600},
        ValueCase{Statistic::HitPoints, 35, 800}, ValueCase{Statistic::BuildTime, 74, 255},
        ValueCase{Statistic::BuildTime, 75, 255}, ValueCase{Statistic::GoldCost, 90, 250},
        ValueCase{Statistic::BasicAttack, 36, 9}, ValueCase{Statistic::PiercingDamage, 37, 1},
        ValueCase{Statistic::OilCost, 82, 10}, ValueCase{Statistic::WoodCost, 8, 5}));

}  // namespace
