#include "thorough_check.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "standard_data.h"
#include "standard_tables.h"
#include "statistic_comparison.h"

namespace {

// The report's name of a unit its tables report, else the name of the data tables.
std::string_view NameOf(const StandardSection& standard, std::size_t index) {
  if (&standard == &kStandardUnitData && index + 1 < kStandardRows) {
    const char* name = StandardTableRow(Statistic::BuildTime, static_cast<int>(index)).name;
    if (IsReportable(name)) return ShownName(name);
  }
  return standard.names[index];
}

// How the seven comparisons report the unit data's `field`; null for a field they do not take.
const StatisticReport* ReportOfField(const StandardSection& standard, const StandardField& field) {
  if (&standard != &kStandardUnitData) return nullptr;
  for (Statistic statistic : kStatistics) {
    if (std::strcmp(ReportOf(statistic).field, field.name) == 0) return &ReportOf(statistic);
  }
  return nullptr;
}

bool CheckSections(PudFile& file, const SectionList& sections, const StandardSection& standard,
                   ChangeSink& sink) {
  bool changed = sections.more;
  for (int section = 0; section < sections.count; ++section) {
    // What the section lacks reads as 0.
    unsigned char data[kLargestStandardSection] = {};
    file.Read(sections.kept[section], 0, data, standard.size);
    if (data[0] != 0) continue;  // the default-data flag: the game's own data
    for (const StandardField& field : std::span(standard.fields, standard.fieldCount)) {
      const StatisticReport* report = ReportOfField(standard, field);
      // The unit data stores costs in tens; they are shown in full, as the report shows them.
      const std::uint32_t scale = report != nullptr ? report->scale : 1;
      bool opensField = true;
      for (std::size_t i = 0; i < field.count; ++i) {
        const std::uint32_t value =
            LittleEndianValue(&data[field.offset + i * field.bytes], field.bytes);
        const std::uint32_t standardValue = StandardValue(field, i);
        if (value == standardValue) continue;
        changed = true;
        const int index = static_cast<int>(i);
        const bool inReport =
            report != nullptr && ReportsDifference(report->statistic, index, value * scale);
        sink.AddChange({standard.tag, field.name, index, NameOf(standard, i), standardValue * scale,
                        value * scale, inReport, opensField && !inReport});
        opensField = opensField && inReport;
      }
    }
  }
  return changed;
}

}  // namespace

bool CheckAllFields(PudFile& file, ChangeSink& sink) {
  const bool units = CheckSections(file, file.UnitData(), kStandardUnitData, sink);
  return CheckSections(file, file.Upgrades(), kStandardUpgrades, sink) || units;
}

std::string_view UnitName(int type) {
  return NameOf(kStandardUnitData, static_cast<std::size_t>(type));
}
