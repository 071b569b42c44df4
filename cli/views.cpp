#include "views.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <span>
#include <string>

#include "pud_unit_data.h"
#include "standard_tables.h"

namespace {

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

// The differences in columns under a heading: the seven statistics, then the other fields.
class HumanView : public BufferedView {
 public:
  using BufferedView::BufferedView;

  void AddDifference(const Difference& difference) override {
    if (difference.opensSection) {
      const StatisticReport& report = ReportOf(difference.statistic);
      if (report.spaced) lines_ += '\n';
      lines_.append(report.title).push_back('\n');
    }
    lines_ += Columns(difference.name, std::to_string(difference.standard),
                      std::to_string(difference.mapValue));
  }

  // A change that the statistics' sections above list already is not listed twice.
  void AddChange(const FieldChange& change) override {
    if (change.inReport) return;
    if (change.opensField) {
      char title[kFieldTitleRoom];
      lines_.append("\n").append(FieldTitle(change, title)).push_back('\n');
    }
    lines_ += Columns(change.name, std::to_string(change.standard), std::to_string(change.map));
  }

  void AddStartChange(const StartChange& change) override {
    if (change.opensGroup) lines_.append("\n").append(kStartTitle).push_back('\n');
    const StartChangeText text(change);
    lines_ += Columns(text.name, text.usual, text.value);
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
class RawView : public BufferedView, private ReportSink {
 public:
  using BufferedView::BufferedView;

  void AddDifference(const Difference& difference) override { report_.AddDifference(difference); }
  // With --all, as the window lists the other fields while it checks every field.
  void AddChange(const FieldChange& change) override { report_.AddChange(change); }
  void AddStartChange(const StartChange& change) override { report_.AddStartChange(change); }

  void EndMap(const Analysis& analysis) override {
    if (analysis.outcome == ReadOutcome::OpenFailed) return;
    if (nameEachMap_) out_.Write("==> " + file_ + " <==\n");
    out_.Write(lines_);
    out_.Write(VerdictText(analysis.discrepancies));
    out_.Write("\n");
  }

 private:
  void AddLine(std::string_view line) override { lines_.append(line).push_back('\n'); }

  ReportLines report_{*this};
};

// One JSON array with an object per map, written as each map is done.
class JsonView : public MapView {
  using Json = nlohmann::ordered_json;

 public:
  JsonView(TextOutput& out, bool allFields) : out_(out), allFields_(allFields) {}

  void BeginMap(const std::string& file) override {
    file_ = file;
    sections_ = Json::array();
    changes_ = Json::array();
    players_ = Json::array();
    unequal_ = Json::array();
  }

  void AddDifference(const Difference& difference) override {
    if (difference.opensSection) {
      const StatisticReport& report = ReportOf(difference.statistic);
      sections_.push_back(
          {{"statistic", report.key}, {"title", report.title}, {"units", Json::array()}});
    }
    sections_.back()["units"].push_back({{"index", difference.unit},
                                         {"name", ShownName(difference.name)},
                                         {"standard", difference.standard},
                                         {"map", difference.mapValue}});
  }

  void AddChange(const FieldChange& change) override {
    changes_.push_back({{"section", change.section},
                        {"field", change.field},
                        {"index", change.index},
                        {"name", change.name},
                        {"standard", change.standard},
                        {"map", change.map}});
  }

  void AddPlayers(const StartPlayers& players) override {
    for (const PersonSlot& slot :
         std::span(players.slots, static_cast<std::size_t>(players.count))) {
      players_.push_back({{"player", slot.player},
                          {"color", kPlayerColors[slot.player - 1]},
                          {"race", slot.orc ? "orc" : "human"}});
    }
  }

  void AddStartChange(const StartChange& change) override {
    Json entry = {{"player", change.player},
                  {"color", kPlayerColors[change.player - 1]},
                  {"item", change.item}};
    if (change.allowance) {
      entry["usual"] = change.usual != 0;
      entry["value"] = change.value != 0;
    } else {
      entry["usual"] = change.usual;
      entry["value"] = change.value;
    }
    unequal_.push_back(std::move(entry));
  }

  void EndMap(const Analysis& analysis) override {
    if (analysis.outcome == ReadOutcome::OpenFailed) return;
    Json map = {{"file", file_},
                {"verdict", analysis.discrepancies ? "discrepancies" : "clean"},
                {"defaultData", analysis.outcome == ReadOutcome::DefaultDataSet},
                {"sections", sections_}};
    if (allFields_) {
      map["changes"] = changes_;
      map["starts"] = {{"players", players_}, {"unequal", unequal_}};
    }
    // File names need not be UTF-8; what is not shows as U+FFFD.
    out_.Write(mapsShown_++ == 0 ? "[\n" : ",\n");
    out_.Write(map.dump(2, ' ', false, Json::error_handler_t::replace));
  }

  void Finish() override { out_.Write(mapsShown_ == 0 ? "[]\n" : "\n]\n"); }

 private:
  TextOutput& out_;
  const bool allFields_;
  std::string file_;
  Json sections_;
  Json changes_;
  Json players_;
  Json unequal_;
  int mapsShown_ = 0;
};

}  // namespace

std::unique_ptr<MapView> MakeView(ViewKind kind, TextOutput& out, bool nameEachMap,
                                  bool allFields) {
  switch (kind) {
    case ViewKind::Human:
      return std::make_unique<HumanView>(out, nameEachMap);
    case ViewKind::Raw:
      return std::make_unique<RawView>(out, nameEachMap);
    case ViewKind::Json:
      return std::make_unique<JsonView>(out, allFields);
  }
  return nullptr;
}
