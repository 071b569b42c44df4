#include "statistic_comparison.h"

#include "standard_tables.h"

namespace {

constexpr StatisticReport kReports[] = {
    {Statistic::BuildTime, "BuildTime", "build_time", "Build time change:-", false, 1},
    {Statistic::BasicAttack, "BasicAttack", "basic_damage", "Unit Basic attack change:-", true, 1},
    {Statistic::PiercingDamage, "PiercingDamage", "piercing_damage",
     "Unit Piercing Damage change:-", true, 1},
    {Statistic::GoldCost, "GoldCost", "gold_cost", "Gold cost change:-", true, 10},
    {Statistic::WoodCost, "WoodCost", "wood_cost", "Wood cost change:-", true, 10},
    {Statistic::OilCost, "OilCost", "oil_cost", "Oil cost change:-", true, 10},
    {Statistic::HitPoints, "HitPoints", "hit_points", "Hit Points change:-", true, 1},
};

template <typename Values>
bool CompareSection(const StatisticReport& report, const Values& values, DifferenceSink& sink) {
  bool found = false;
  WalkStandardTable(report.statistic, [&](int row, const StandardRow& standard) {
    const unsigned mapValue = values[static_cast<std::size_t>(row)];
    if (mapValue == standard.value || !IsReportable(standard.name)) return;
    sink.AddDifference({report.statistic, row, standard.name, standard.value * report.scale,
                        mapValue * report.scale, !found});
    found = true;
  });
  return found;
}

}  // namespace

const StatisticReport& ReportOf(Statistic statistic) {
  return kReports[static_cast<int>(statistic)];
}

bool CompareStat(Statistic statistic, const PudUnitData& data, DifferenceSink& sink) {
  const StatisticReport& report = ReportOf(statistic);
  if (statistic == Statistic::HitPoints) return CompareSection(report, data.HitPoints, sink);
  return CompareSection(report, data.*kByteArrays[static_cast<std::size_t>(statistic)], sink);
}

bool ReportsDifference(Statistic statistic, int unit, unsigned mapValue) {
  const StatisticReport& report = ReportOf(statistic);
  bool reports = false;
  WalkStandardTable(statistic, [&](int row, const StandardRow& standard) {
    if (row == unit)
      reports = IsReportable(standard.name) && mapValue != standard.value * report.scale;
  });
  return reports;
}

Analysis AnalyseUnitData(PudFile& file, DifferenceSink& sink) {
  const SectionList& sections = file.UnitData();
  bool compared = false;
  bool discrepancies = false;
  for (int section = 0; section < sections.count; ++section) {
    PudUnitData data;
    if (ReadPudUnitData(file, sections.kept[section], data) != ReadOutcome::UnitDataRead) continue;
    compared = true;
    for (Statistic statistic : kStatistics) {
      discrepancies = CompareStat(statistic, data, sink) || discrepancies;
    }
  }
  // Sections past those kept are not read; a map carrying so many is taken as changed.
  if (sections.more) compared = discrepancies = true;
  return {compared ? ReadOutcome::UnitDataRead : ReadOutcome::DefaultDataSet, discrepancies};
}
