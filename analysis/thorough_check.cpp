#include "thorough_check.h"

#include <algorithm>
#include <span>
#include <vector>

#include "standard_data.h"
#include "standard_tables.h"

namespace {

// The unit data stores costs in tens; they are shown in full.
constexpr std::string_view kCostsInTens[] = {"gold_cost", "wood_cost", "oil_cost"};

std::uint32_t ValueAt(const unsigned char* bytes, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

// The report's name of a unit its tables report, else the name of the data tables.
std::string_view NameOf(const StandardSection& standard, std::size_t index) {
  if (&standard == &kStandardUnitData && index + 1 < kStandardRows) {
    const char* name = StandardTableRow(Statistic::BuildTime, static_cast<int>(index)).name;
    if (IsReportable(name)) return ShownName(name);
  }
  return standard.names[index];
}

bool CheckSections(PudFile& file, const SectionList& sections, const StandardSection& standard,
                   ChangeSink& sink) {
  bool changed = sections.more;
  for (int section = 0; section < sections.count; ++section) {
    std::vector<unsigned char> data(standard.size);
    file.Read(sections.kept[section], 0, data.data(), standard.size);
    if (data[0] != 0) continue;  // the default-data flag: the game's own data
    for (const StandardField& field : std::span(standard.fields, standard.fieldCount)) {
      const bool inTens = &standard == &kStandardUnitData &&
                          std::ranges::find(kCostsInTens, field.name) != std::end(kCostsInTens);
      const std::uint32_t scale = inTens ? 10 : 1;
      bool opensField = true;
      for (std::size_t i = 0; i < field.count; ++i) {
        const std::uint32_t value = ValueAt(&data[field.offset + i * field.bytes], field.bytes);
        if (value == field.values[i]) continue;
        changed = true;
        sink.AddChange({standard.tag, field.name, static_cast<int>(i), NameOf(standard, i),
                        field.values[i] * scale, value * scale, opensField});
        opensField = false;
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
