// The browser page's way into the analysis, as a WebAssembly module. The page copies a map's
// bytes into the room that map_room gives, then asks for one of two views of that map: check, the
// checker's JSON object, or show, what the page lists. Either answer is JSON in UTF-8 that stays
// at the address returned, answer_size bytes long, until the next call.
#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "report.h"
#include "statwarden_version.h"
#include "text_output.h"
#include "views.h"

namespace {

using Json = nlohmann::ordered_json;

std::vector<unsigned char> map;
std::string answer;

// What the page lists: the report's groups (each statistic under its title, then each other field
// that differs under its title, leaving out what the statistics list already, then the starts
// that differ) and the verdict.
class PageView final : public DifferenceSink, public ChangeSink, public StartSink {
 public:
  void AddDifference(const Difference& difference) override {
    if (difference.opensSection) Open(ReportOf(difference.statistic).title);
    Add(ShownName(difference.name), difference.standard, difference.mapValue);
  }

  void AddChange(const FieldChange& change) override {
    if (change.inReport) return;
    if (change.opensField) {
      char title[kFieldTitleRoom];
      Open(FieldTitle(change, title));
    }
    Add(change.name, change.standard, change.map);
  }

  void AddStartChange(const StartChange& change) override {
    if (change.opensGroup) Open(kStartTitle);
    const StartChangeText text(change);
    groups_.back()["rows"].push_back({text.name, text.usual, text.value});
  }

  std::string Answer(const Analysis& analysis) const {
    const Json page = {{"verdict", VerdictText(analysis.discrepancies)},
                       {"clean", !analysis.discrepancies},
                       {"groups", groups_}};
    return page.dump();
  }

 private:
  void Open(std::string_view title) {
    groups_.push_back({{"title", title}, {"rows", Json::array()}});
  }

  void Add(std::string_view name, unsigned standard, unsigned mapValue) {
    groups_.back()["rows"].push_back({name, standard, mapValue});
  }

  Json groups_ = Json::array();
};

}  // namespace

extern "C" {

__attribute__((export_name("map_room"))) unsigned char* MapRoom(std::size_t size) {
  map.resize(size);
  return map.data();
}

// The map as `statwarden-cli --all --json` gives it: an array holding its object, with an
// empty file name.
__attribute__((export_name("check"))) const char* Check() {
  StringOutput out;
  const std::unique_ptr<MapView> view = MakeView(ViewKind::Json, out, false, true);
  view->BeginMap("");
  PudFile file(map.data(), map.size());
  view->EndMap(AnalyseMap(file, *view, *view, *view, true));
  view->Finish();
  answer = std::move(out.text);
  return answer.c_str();
}

__attribute__((export_name("show"))) const char* Show() {
  PageView view;
  PudFile file(map.data(), map.size());
  answer = view.Answer(AnalyseMap(file, view, view, view, true));
  return answer.c_str();
}

__attribute__((export_name("answer_size"))) std::size_t AnswerSize() { return answer.size(); }

__attribute__((export_name("version"))) const char* Version() { return kStatwardenVersion; }
}
