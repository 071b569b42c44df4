#include "report.h"

#include <algorithm>
#include <charconv>

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

void AddReportLine(std::string_view name, std::string_view standard, std::string_view mapValue,
                   ReportSink& sink) {
  // The name, then "\t\t\t" up to 8 characters, "\t\t" up to 18, "\t" from 19 on. A name
  // fills at most its table field.
  const std::size_t length = std::min(name.size(), kNameField);
  const std::size_t tabs = length >= 19 ? 1 : length >= 9 ? 2 : 3;
  char line[kMaxReportLine];
  char* end = std::fill_n(std::copy_n(name.data(), length, line), tabs, '\t');
  end = std::copy_n(standard.data(), std::min(standard.size(), kValueDigits), end);
  *end++ = '\t';
  end = std::copy_n(mapValue.data(), std::min(mapValue.size(), kValueDigits), end);
  sink.AddLine(std::string_view(line, static_cast<std::size_t>(end - line)));
}

void AddReportLine(std::string_view name, unsigned standard, unsigned mapValue, ReportSink& sink) {
  char standardText[kValueDigits];
  char mapText[kValueDigits];
  AddReportLine(name, ValueText(standard, false, standardText), ValueText(mapValue, false, mapText),
                sink);
}

std::string_view ValueText(std::uint32_t value, bool allowance, char (&room)[kValueDigits]) {
  if (allowance) return value != 0 ? "yes" : "no";
  return {room,
          static_cast<std::size_t>(std::to_chars(room, room + sizeof room, value).ptr - room)};
}

void ReportLines::AddDifference(const Difference& difference) {
  if (difference.opensSection) {
    const StatisticReport& report = ReportOf(difference.statistic);
    if (report.spaced) sink_.AddLine(kSpacerLine);
    sink_.AddLine(report.title);
  }
  AddReportLine(difference.name, difference.standard, difference.mapValue, sink_);
}

void ReportLines::AddChange(const FieldChange& change) {
  if (change.inReport) return;
  if (change.opensField) {
    char title[kFieldTitleRoom];
    sink_.AddLine(kSpacerLine);
    sink_.AddLine(FieldTitle(change, title));
  }
  AddReportLine(change.name, change.standard, change.map, sink_);
}

void ReportLines::AddStartChange(const StartChange& change) {
  if (change.opensGroup) {
    sink_.AddLine(kSpacerLine);
    sink_.AddLine(kStartTitle);
  }
  const StartChangeText text(change);
  AddReportLine(text.name, text.usual, text.value, sink_);
}

namespace {

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

Analysis AnalysePud(const char* pudName, ReportSink& sink, bool utf8Name, bool allFields) {
  PudFile file(pudName, utf8Name);
  if (!file.IsOpen()) return {ReadOutcome::OpenFailed, false};
  return AnalysePud(file, sink, allFields);
}

Analysis AnalyseMap(PudFile& file, DifferenceSink& differences, ChangeSink& changes,
                    StartSink& starts, bool allFields) {
  Analysis analysis = AnalyseUnitData(file, differences);
  if (!allFields) return analysis;
  const bool changed = CheckAllFields(file, changes);
  const bool unequal = CompareStarts(file, starts);
  analysis.discrepancies = analysis.discrepancies || changed || unequal;
  return analysis;
}

Analysis AnalysePud(PudFile& file, ReportSink& sink, bool allFields) {
  ReportLines lines(sink);
  return AnalyseMap(file, lines, lines, lines, allFields);
}

const char* VerdictText(bool discrepancies) {
  return discrepancies ? "Warning - unit discrepancies found" : "No unit specials found";
}
