#include "report.h"

#include <algorithm>
#include <charconv>

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

constexpr bool TitlesFitALine() {
  for (const StatisticReport& report : kReports) {
    if (std::string_view(report.title).size() > kMaxReportLine) return false;
  }
  return true;
}
static_assert(TitlesFitALine());

}  // namespace

const StatisticReport& ReportOf(Statistic statistic) {
  return kReports[static_cast<int>(statistic)];
}

void AddReportLine(const char* name, unsigned standard, unsigned mapValue, ReportSink& sink) {
  // The name, then "\t\t\t" up to 8 characters, "\t\t" up to 18, "\t" from 19 on. A name
  // fills at most its table field.
  const auto length = static_cast<std::size_t>(std::find(name, name + kNameField, '\0') - name);
  const std::size_t tabs = length >= 19 ? 1 : length >= 9 ? 2 : 3;
  char line[kMaxReportLine];
  char* const lineEnd = line + sizeof line;
  char* end = std::fill_n(std::copy_n(name, length, line), tabs, '\t');
  // The first value leaves room for the tab and the second.
  end = std::to_chars(end, lineEnd - 1 - kValueDigits, standard).ptr;
  *end++ = '\t';
  end = std::to_chars(end, lineEnd, mapValue).ptr;
  sink.AddLine(std::string_view(line, static_cast<std::size_t>(end - line)));
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
