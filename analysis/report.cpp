#include "report.h"

#include <algorithm>
#include <charconv>
#include <string>

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
  // The name, then "\t\t\t" up to 8 characters, "\t\t" up to 18, "\t" from 19 on. A name
  // fills at most its table field.
  const auto length = static_cast<std::size_t>(std::find(name, name + kNameField, '\0') - name);
  const std::size_t tabs = length >= 19 ? 1 : length >= 9 ? 2 : 3;
  char digits[2][10];
  const std::to_chars_result standardDigits = std::to_chars(digits[0], digits[0] + 10, standard);
  const std::to_chars_result mapDigits = std::to_chars(digits[1], digits[1] + 10, mapValue);
  std::string line;
  line.reserve(kNameField + 3 + sizeof digits + 1);
  line.append(name, length).append(tabs, '\t');
  line.append(digits[0], standardDigits.ptr).append(1, '\t').append(digits[1], mapDigits.ptr);
  sink.AddLine(line);
}

namespace {

template <typename Values>
bool CompareSection(const StatisticReport& report, const Values& values, ReportSink& sink) {
  bool sectionStarted = false;
  WalkStandardTable(report.statistic, [&](int row, const StandardRow& standard) {
    const unsigned mapValue = values[static_cast<std::size_t>(row)];
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

}  // namespace

bool CompareStat(Statistic statistic, const PudUnitData& data, ReportSink& sink) {
  const StatisticReport& report = ReportOf(statistic);
  if (statistic == Statistic::HitPoints) return CompareSection(report, data.HitPoints, sink);
  return CompareSection(report, data.*kByteArrays[static_cast<std::size_t>(statistic)], sink);
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
