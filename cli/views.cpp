#include "views.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <span>
#include <string>

#include "report_lines.h"
#include "report_texts.h"

namespace {

// Holds the report of one map until the map has been read; its groups and rows come from the
// report's walk, which hands them to `report`.
class BufferedView : public MapView {
 public:
  BufferedView(TextOutput& out, bool nameEachMap, ReportView& report)
      : out_(out), nameEachMap_(nameEachMap), walk_(report) {}

  void BeginMap(const std::string& file) override {
    file_ = file;
    Clear();
  }

  void AddDifference(const Difference& difference) override { walk_.AddDifference(difference); }
  void AddChange(const FieldChange& change) override { walk_.AddChange(change); }
  void AddStartChange(const StartChange& change) override { walk_.AddStartChange(change); }
  void AddReachChange(const ReachChange& change) override { walk_.AddReachChange(change); }

 protected:
  virtual void Clear() = 0;

  TextOutput& out_;
  const bool nameEachMap_;
  std::string file_;

 private:
  ReportWalk walk_;
};

// The groups in columns under a heading: each name padded to its column, each value right-aligned
// in its own. The columns widen for a map whose names or values do not fit them, so that at least
// one blank always stands between two columns.
class HumanView final : public BufferedView, private ReportView {
 public:
  HumanView(TextOutput& out, bool nameEachMap) : BufferedView(out, nameEachMap, *this) {}

  void EndMap(const Analysis& analysis) override {
    if (analysis.outcome == ReadOutcome::OpenFailed) return;
    std::size_t nameWidth = kNameWidth;
    std::size_t valueWidth = kValueWidth;
    for (const Line& line : lines_) {
      if (line.title) continue;
      nameWidth = std::max(nameWidth, line.name.size() + 1);
      valueWidth = std::max({valueWidth, line.standard.size() + 1, line.value.size() + 1});
    }
    std::string text = mapsShown_++ > 0 ? "\n" : "";
    if (nameEachMap_) text += file_ + ":\n";
    const auto columns = [&](std::string_view name, std::string_view standard,
                             std::string_view value) {
      text.append(name).append(nameWidth - name.size(), ' ');
      text.append(valueWidth - standard.size(), ' ').append(standard);
      text.append(valueWidth - value.size(), ' ').append(value).push_back('\n');
    };
    columns(kColumnNames[0], kColumnNames[1], kColumnNames[2]);
    for (const Line& line : lines_) {
      if (!line.title) {
        columns(line.name, line.standard, line.value);
      } else {
        text.append(line.spaced ? "\n" : "").append(line.name).push_back('\n');
      }
    }
    out_.Write(text.append(VerdictText(analysis.discrepancies)).append("\n"));
  }

 private:
  // The narrowest the columns are: the name's, and each value's with the blank before it.
  static constexpr std::size_t kNameWidth = 24;
  static constexpr std::size_t kValueWidth = 10;

  // A group's title (in `name`), or a row.
  struct Line {
    bool title;
    bool spaced;
    std::string name;
    std::string standard;
    std::string value;
  };

  void Clear() override { lines_.clear(); }

  void BeginGroup(const ReportGroup& group) override {
    lines_.push_back({true, group.spaced, std::string(group.title), "", ""});
  }

  void AddRow(const ReportRow& row) override {
    lines_.push_back(
        {false, false, std::string(row.name), std::string(row.standard), std::string(row.value)});
  }

  std::vector<Line> lines_;
  int mapsShown_ = 0;
};

// The report lines exactly as the window's list receives them, then the outcome.
class RawView final : public BufferedView, private ReportSink {
 public:
  RawView(TextOutput& out, bool nameEachMap) : BufferedView(out, nameEachMap, report_) {}

  void EndMap(const Analysis& analysis) override {
    if (analysis.outcome == ReadOutcome::OpenFailed) return;
    if (nameEachMap_) out_.Write("==> " + file_ + " <==\n");
    out_.Write(lines_);
    out_.Write(VerdictText(analysis.discrepancies));
    out_.Write("\n");
  }

 private:
  void Clear() override { lines_.clear(); }
  void AddLine(std::string_view line) override { lines_.append(line).push_back('\n'); }

  // With --all, as the window lists the other fields and the starts while it checks every field.
  ReportLines report_{*this};
  std::string lines_;
};

// One JSON array with an object per map, written as each map is done.
class JsonView final : public MapView, private ReportView {
  using Json = nlohmann::ordered_json;

 public:
  JsonView(TextOutput& out, bool allFields) : out_(out), allFields_(allFields) {}

  void BeginMap(const std::string& file) override {
    file_ = file;
    sections_ = Json::array();
    changes_ = Json::array();
    players_ = Json::array();
    unequal_ = Json::array();
    reach_ = nullptr;
  }

  // The seven statistics' groups make the sections; the changes and the starts are listed whole.
  void AddDifference(const Difference& difference) override { walk_.AddDifference(difference); }

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

  void AddReach(const MapReach* reach) override {
    if (reach == nullptr) return;
    reach_ = {{"starts", Json::array()}, {"unequal", Json::array()}};
    for (const StartReach& start :
         std::span(reach->starts, static_cast<std::size_t>(reach->count))) {
      const auto item = [&](ReachItem which) { return start.values[static_cast<int>(which)]; };
      Json homeMine = nullptr;
      if (start.homeMine) {
        homeMine = {{"x", start.mineX},
                    {"y", start.mineY},
                    {"gold", item(ReachItem::HomeMineGold)},
                    {"distance", item(ReachItem::HomeMineDistance)}};
      }
      reach_["starts"].push_back({{"player", start.player},
                                  {"color", kPlayerColors[start.player - 1]},
                                  {"x", start.x},
                                  {"y", start.y},
                                  {"homeMine", homeMine},
                                  {"goldWithin12", item(ReachItem::GoldWithin12)},
                                  {"rescuableWithin20", item(ReachItem::RescuableWithin20)}});
    }
  }

  void AddReachChange(const ReachChange& change) override {
    const auto value = [](std::uint64_t number) {
      return number == kNoDistance ? Json(nullptr) : Json(number);
    };
    reach_["unequal"].push_back({{"player", change.player},
                                 {"color", kPlayerColors[change.player - 1]},
                                 {"item", kReachItemNames[static_cast<int>(change.item)]},
                                 {"usual", value(change.usual)},
                                 {"value", value(change.value)}});
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
      map["reach"] = reach_;
    }
    // File names need not be UTF-8; what is not shows as U+FFFD.
    out_.Write(mapsShown_++ == 0 ? "[\n" : ",\n");
    out_.Write(map.dump(2, ' ', false, Json::error_handler_t::replace));
  }

  void Finish() override { out_.Write(mapsShown_ == 0 ? "[]\n" : "\n]\n"); }

 private:
  void BeginGroup(const ReportGroup& group) override {
    sections_.push_back(
        {{"statistic", group.statistic->key}, {"title", group.title}, {"units", Json::array()}});
  }

  void AddRow(const ReportRow& row) override {
    sections_.back()["units"].push_back({{"index", row.difference->unit},
                                         {"name", row.name},
                                         {"standard", row.difference->standard},
                                         {"map", row.difference->mapValue}});
  }

  TextOutput& out_;
  const bool allFields_;
  std::string file_;
  Json sections_;
  Json changes_;
  Json players_;
  Json unequal_;
  Json reach_;  // null for a map without land
  int mapsShown_ = 0;
  ReportWalk walk_{*this};
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
