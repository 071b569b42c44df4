#include "views.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <vector>

#include "pud_unit_data.h"
#include "standard_tables.h"

namespace {

// The text between tab runs of a difference line: name, standard value, map value.
std::vector<std::string_view> SplitAtTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t tab = std::min(line.find('\t', start), line.size());
    if (tab > start) fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  return fields;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

bool IsDifferenceLine(std::string_view line) { return line.find('\t') != std::string_view::npos; }

// Holds the text of one map until the map has been read.
class BufferedView : public MapView {
 public:
  BufferedView(TextOutput& out, bool nameEachMap) : out_(out), nameEachMap_(nameEachMap) {}

  void BeginMap(const std::string& file) override {
    file_ = file;
    lines_.clear();
  }

 protected:
  TextOutput& out_;
  const bool nameEachMap_;
  std::string file_;
  std::string lines_;
};

// The report with its tabs expanded into columns under a heading.
class HumanView : public BufferedView {
 public:
  using BufferedView::BufferedView;

  void AddLine(std::string_view line) override {
    if (!IsDifferenceLine(line)) {
      lines_.append(line == kSpacerLine ? std::string_view() : line).push_back('\n');
      return;
    }
    const std::vector<std::string_view> fields = SplitAtTabs(line);
    lines_ += Columns(fields[0], fields[1], fields[2]);
  }

  void EndMap(const Analysis& analysis) override {
    if (analysis.outcome == ReadOutcome::OpenFailed) return;
    if (mapsShown_++ > 0) out_.Write("\n");
    if (nameEachMap_) out_.Write(file_ + ":\n");
    out_.Write(Columns("Name", "Standard", "This pud"));
    out_.Write(lines_);
    out_.Write(VerdictText(analysis.discrepancies));
    out_.Write("\n");
  }

 private:
  static std::string Columns(std::string_view name, std::string_view standard,
                             std::string_view mapValue) {
    char row[96];
    const int length =
        std::snprintf(row, sizeof row, "%-24.*s%10.*s%10.*s\n", static_cast<int>(name.size()),
                      name.data(), static_cast<int>(standard.size()), standard.data(),
                      static_cast<int>(mapValue.size()), mapValue.data());
    return std::string(row, std::min(static_cast<std::size_t>(length), sizeof row - 1));
  }

  int mapsShown_ = 0;
};

// The report lines exactly as the window's list receives them, then the outcome.
class RawView : public BufferedView {
 public:
  using BufferedView::BufferedView;

  void AddLine(std::string_view line) override { lines_.append(line).push_back('\n'); }

  void EndMap(const Analysis& analysis) override {
    if (analysis.outcome == ReadOutcome::OpenFailed) return;
    if (nameEachMap_) out_.Write("==> " + file_ + " <==\n");
    out_.Write(lines_);
    out_.Write(VerdictText(analysis.discrepancies));
    out_.Write("\n");
  }
};

// One JSON array with an object per map, written as each map is done.
class JsonView : public MapView {
  using Json = nlohmann::ordered_json;

 public:
  explicit JsonView(TextOutput& out) : out_(out) {}

  void BeginMap(const std::string& file) override {
    file_ = file;
    sections_ = Json::array();
    section_ = nullptr;
  }

  void AddLine(std::string_view line) override {
    if (line == kSpacerLine) return;
    if (!IsDifferenceLine(line)) {
      StartSection(line);
      return;
    }
    const std::vector<std::string_view> fields = SplitAtTabs(line);
    const std::string_view name = WithoutTrailingBlanks(fields[0]);
    (*section_)["units"].push_back({{"index", NextUnit(name)},
                                    {"name", name},
                                    {"standard", std::stoul(std::string(fields[1]))},
                                    {"map", std::stoul(std::string(fields[2]))}});
  }

  void EndMap(const Analysis& analysis) override {
    if (analysis.outcome == ReadOutcome::OpenFailed) return;
    const Json map = {{"file", file_},
                      {"verdict", analysis.discrepancies ? "discrepancies" : "clean"},
                      {"defaultData", analysis.outcome == ReadOutcome::DefaultDataSet},
                      {"sections", sections_}};
    // File names need not be UTF-8; what is not shows as U+FFFD.
    out_.Write(mapsShown_++ == 0 ? "[\n" : ",\n");
    out_.Write(map.dump(2, ' ', false, Json::error_handler_t::replace));
  }

  void Finish() override { out_.Write(mapsShown_ == 0 ? "[]\n" : "\n]\n"); }

 private:
  void StartSection(std::string_view title) {
    for (Statistic statistic : kStatistics) {
      const StatisticReport& report = ReportOf(statistic);
      if (title != report.title) continue;
      sections_.push_back(
          {{"statistic", report.key}, {"title", report.title}, {"units", Json::array()}});
      section_ = &sections_.back();
      statistic_ = statistic;
      unitRow_ = 0;
      return;
    }
  }

  // Difference lines come in ascending unit order and no two reportable units share a name, so
  // the unit of a line is the next reportable row of the section's table with that name.
  int NextUnit(std::string_view name) {
    for (; unitRow_ < kStandardRows; ++unitRow_) {
      const char* rowName = StandardTableRow(statistic_, unitRow_).name;
      if (IsReportable(rowName) && WithoutTrailingBlanks(rowName) == name) break;
    }
    return unitRow_++;
  }

  TextOutput& out_;
  std::string file_;
  Json sections_;
  Json* section_ = nullptr;
  Statistic statistic_ = Statistic::BuildTime;
  int unitRow_ = 0;
  int mapsShown_ = 0;
};

}  // namespace

std::unique_ptr<MapView> MakeView(ViewKind kind, TextOutput& out, bool nameEachMap) {
  switch (kind) {
    case ViewKind::Human:
      return std::make_unique<HumanView>(out, nameEachMap);
    case ViewKind::Raw:
      return std::make_unique<RawView>(out, nameEachMap);
    case ViewKind::Json:
      return std::make_unique<JsonView>(out);
  }
  return nullptr;
}
