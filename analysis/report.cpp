#include "report.h"

#include <cstdio>
#include <cstring>

#include "standard_tables.h"

namespace {

constexpr StatisticReport kReports[] = {
    {Statistic::BuildTime, "BuildTime", "Build time change:-", false, 1},
    {Statistic::BasicAttack, "BasicAttack", "Unit Basic attack change:-", true, 1},
    {Statistic::PiercingDamage, "PiercingDamage", "Unit Piercing Damage change:-", true, 1},
    {Statistic::GoldCost, "GoldCost", "Gold cost change:-", true, 10},
    {Statistic::WoodCost, "WoodCost", "Wood cost change:-", true, 10},
    {Statistic::OilCost, "OilCost", "Oil cost change:-", true, 10},
    {Statistic::HitPoints, "HitPoints", "Hit Points change:-", true, 1},
};

}  // namespace

const StatisticReport& ReportOf(Statistic statistic) {
  return kReports[static_cast<int>(statistic)];
}

void AddReportLine(const char* name, unsigned standard, unsigned mapValue, ReportSink& sink) {
  const std::size_t length = std::strlen(name);
  const char* format = length >= 19  ? "%s\t%u\t%u"
                       : length >= 9 ? "%s\t\t%u\t%u"
                                     : "%s\t\t\t%u\t%u";
  char line[64];
  const int written = std::snprintf(line, sizeof line, format, name, standard, mapValue);
  sink.AddLine(std::string_view(line, static_cast<std::size_t>(written)));
}

bool CompareStat(Statistic statistic, const PudUnitData& data, ReportSink& sink) {
  const StatisticReport& report = ReportOf(statistic);
  bool sectionStarted = false;
  WalkStandardTable(statistic, [&](int row, const StandardRow& standard) {
    const unsigned mapValue = MapValue(data, statistic, row);
    if (mapValue == standard.value || !IsReportable(standard.name)) return;
    if (!sectionStarted) {
      if (report.spaced) sink.AddLine(kSpacerLine);
      sink.AddLine(report.title);
      sectionStarted = true;
    }
    AddReportLine(standard.name, standard.value * report.scale, mapValue * report.scale, sink);
  });
  return sectionStarted;
}

Analysis AnalysePud(const char* pudName, ReportSink& sink) {
  PudUnitData data;
  const ReadOutcome outcome = ReadPudUnitData(pudName, data);
  bool discrepancies = false;
  if (outcome == ReadOutcome::UnitDataRead) {
    for (Statistic statistic : kStatistics) {
      discrepancies = CompareStat(statistic, data, sink) || discrepancies;
    }
  }
  return {outcome, discrepancies};
}

const char* VerdictText(bool discrepancies) {
  return discrepancies ? "Warning - unit discrepancies found" : "No unit specials found";
}
