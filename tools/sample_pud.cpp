#include "sample_pud.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>

#include "standard_data.h"
#include "statistic_comparison.h"

namespace {

std::span<const StandardField> Fields(const StandardSection& standard) {
  return {standard.fields, standard.fieldCount};
}

// The field of `standard` named `name`; it must be one of its fields.
const StandardField& FieldNamed(const StandardSection& standard, const char* name) {
  const auto fields = Fields(standard);
  return *std::find_if(fields.begin(), fields.end(), [&](const StandardField& field) {
    return std::strcmp(field.name, name) == 0;
  });
}

// The field of the unit data that holds `statistic`.
const StandardField& UnitField(Statistic statistic) {
  return FieldNamed(kStandardUnitData, ReportOf(statistic).field);
}

// Stores element `i` of `field` in a section's data, little-endian.
void Store(std::vector<std::uint8_t>& data, const StandardField& field, std::size_t i,
           std::uint32_t value) {
  for (std::size_t byte = 0; byte < field.bytes; ++byte) {
    data[field.offset + i * field.bytes + byte] = static_cast<std::uint8_t>(value >> (8 * byte));
  }
}

// A section's data with every field at its standard value.
std::vector<std::uint8_t> StandardData(const StandardSection& standard) {
  std::vector<std::uint8_t> data(standard.size);
  for (const StandardField& field : Fields(standard)) {
    std::copy_n(field.values, field.count * field.bytes, &data[field.offset]);
  }
  return data;
}

void AppendSection(std::vector<std::uint8_t>& file, const char* tag,
                   const std::vector<std::uint8_t>& data) {
  file.insert(file.end(), tag, tag + 4);
  const auto length = static_cast<std::uint32_t>(data.size());
  for (int shift = 0; shift < 32; shift += 8)
    file.push_back(static_cast<std::uint8_t>(length >> shift));
  file.insert(file.end(), data.begin(), data.end());
}

std::vector<std::uint8_t> Text(const char* text, std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::memcpy(bytes.data(), text, std::min(size, std::strlen(text)));
  return bytes;
}

struct Section {
  std::string tag;
  std::vector<std::uint8_t> data;
};

std::vector<Section> Sections(const std::vector<std::uint8_t>& pud) {
  std::vector<Section> sections;
  for (std::size_t at = 0; at + 8 <= pud.size();) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < 4; ++i) length |= std::size_t{pud[at + 4 + i]} << (8 * i);
    const auto tag = pud.begin() + static_cast<std::ptrdiff_t>(at);
    length = std::min(length, pud.size() - at - 8);
    sections.push_back(
        {std::string(tag, tag + 4),
         std::vector<std::uint8_t>(tag + 8, tag + 8 + static_cast<std::ptrdiff_t>(length))});
    at += 8 + length;
  }
  return sections;
}

std::vector<std::uint8_t> Join(const std::vector<Section>& sections) {
  std::vector<std::uint8_t> pud;
  for (const Section& section : sections) AppendSection(pud, section.tag.c_str(), section.data);
  return pud;
}

// The first section with `tag`, or the end.
std::vector<Section>::iterator Find(std::vector<Section>& sections, const char* tag) {
  return std::find_if(sections.begin(), sections.end(),
                      [&](const Section& section) { return tag != nullptr && section.tag == tag; });
}

}  // namespace

PudUnitData StandardUnitData() {
  PudUnitData data;
  for (Statistic statistic : kStatistics) {
    const StandardField& field = UnitField(statistic);
    for (int unit = 0; unit < kUnitTypes; ++unit)
      SetMapValue(data, statistic, unit, StandardValue(field, static_cast<std::size_t>(unit)));
  }
  return data;
}

void SetMapValue(PudUnitData& data, Statistic statistic, int unit, unsigned value) {
  const auto i = static_cast<std::size_t>(unit);
  if (statistic == Statistic::HitPoints) {
    data.HitPoints[i] = static_cast<std::uint16_t>(value);
  } else {
    (data.*kByteArrays[static_cast<std::size_t>(statistic)])[i] = static_cast<std::uint8_t>(value);
  }
}

std::vector<std::uint8_t> BuildPud(const SamplePud& sample) {
  std::vector<std::uint8_t> units = StandardData(kStandardUnitData);
  units[0] = static_cast<std::uint8_t>(sample.defaultDataWord);
  units[1] = static_cast<std::uint8_t>(sample.defaultDataWord >> 8);
  for (Statistic statistic : kStatistics) {
    const StandardField& field = UnitField(statistic);
    for (int unit = 0; unit < kUnitTypes; ++unit) {
      Store(units, field, static_cast<std::size_t>(unit), MapValue(sample.units, statistic, unit));
    }
  }
  std::vector<std::uint8_t> upgrades = StandardData(kStandardUpgrades);
  for (const FieldValue& set : sample.fields) {
    const bool unit = std::strcmp(set.section, "UDTA") == 0;
    Store(unit ? units : upgrades,
          FieldNamed(unit ? kStandardUnitData : kStandardUpgrades, set.field),
          static_cast<std::size_t>(set.index), set.value);
  }

  std::vector<std::uint8_t> file;
  AppendSection(file, "TYPE",
                {'W', 'A', 'R', '2', ' ', 'M', 'A', 'P', 0, 0, 0x0a, 0xff, 0, 0, 0, 0});
  AppendSection(file, "VER ", {0x13, 0x00});
  AppendSection(file, "DESC", Text("Statwarden sample", 32));
  AppendSection(file, "OWNR", {5, 5, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2});
  AppendSection(file, "ERA ", {0, 0});
  if (sample.erax) AppendSection(file, "ERAX", {0, 0});
  AppendSection(file, "DIM ", {32, 0, 32, 0});
  AppendSection(file, "UDTA", units);
  AppendSection(file, "UGRD", upgrades);
  return file;
}

bool WritePud(const std::string& path, const SamplePud& sample) {
  const std::vector<std::uint8_t> bytes = BuildPud(sample);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::vector<std::uint8_t> SectionData(const std::vector<std::uint8_t>& pud, const char* tag) {
  std::vector<Section> sections = Sections(pud);
  const auto found = Find(sections, tag);
  return found == sections.end() ? std::vector<std::uint8_t>() : found->data;
}

std::vector<std::uint8_t> MoveSection(const std::vector<std::uint8_t>& pud, const char* tag,
                                      const char* before) {
  std::vector<Section> sections = Sections(pud);
  const auto found = Find(sections, tag);
  if (found == sections.end()) return pud;
  const Section moved = *found;
  sections.erase(found);
  sections.insert(Find(sections, before), moved);
  return Join(sections);
}

std::vector<std::uint8_t> InsertSection(const std::vector<std::uint8_t>& pud, const char* tag,
                                        const std::vector<std::uint8_t>& data, const char* before) {
  std::vector<Section> sections = Sections(pud);
  sections.insert(Find(sections, before), {tag, data});
  return Join(sections);
}

std::vector<std::uint8_t> RemoveSection(const std::vector<std::uint8_t>& pud, const char* tag) {
  std::vector<Section> sections = Sections(pud);
  const auto found = Find(sections, tag);
  if (found != sections.end()) sections.erase(found);
  return Join(sections);
}

std::vector<std::uint8_t> ResizeSection(const std::vector<std::uint8_t>& pud, const char* tag,
                                        std::size_t size) {
  std::vector<Section> sections = Sections(pud);
  const auto found = Find(sections, tag);
  if (found != sections.end()) found->data.resize(size);
  return Join(sections);
}
