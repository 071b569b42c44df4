// The browser page's way into the analysis, as a WebAssembly module. The page copies a map's
// bytes into the room that map_room gives, then asks for one of two views of that map: check, the
// checker's JSON object, or show, what the page lists; texts gives the texts and colours it shows
// besides. Each answer is JSON in UTF-8 that stays at the address returned, answer_size bytes
// long, until the next call. picture draws the map.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "map_analysis.h"
#include "map_land.h"
#include "map_picture.h"
#include "report_texts.h"
#include "report_walk.h"
#include "statwarden_version.h"
#include "text_output.h"
#include "views.h"

namespace {

using Json = nlohmann::ordered_json;

std::vector<unsigned char> map;
std::string answer;
Picture picture;

// What the page lists: the report's groups, each with its title and its rows of three texts,
// and the verdict.
class PageView final : public ReportView {
 public:
  std::string Answer(const Analysis& analysis) const {
    const Json page = {{"verdict", VerdictText(analysis.discrepancies)},
                       {"clean", !analysis.discrepancies},
                       {"groups", groups_}};
    return page.dump();
  }

 private:
  void BeginGroup(const ReportGroup& group) override {
    groups_.push_back({{"title", group.title}, {"rows", Json::array()}});
  }

  void AddRow(const ReportRow& row) override {
    groups_.back()["rows"].push_back({row.name, row.standard, row.value});
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
  view->EndMap(AnalyseMap(file, *view, true));
  view->Finish();
  answer = std::move(out.text);
  return answer.c_str();
}

__attribute__((export_name("show"))) const char* Show() {
  PageView view;
  ReportWalk walk(view);
  PudFile file(map.data(), map.size());
  answer = view.Answer(AnalyseMap(file, walk, true));
  return answer.c_str();
}

// The map's picture (see map_picture.h): the address of its RGB bytes, picture_width by
// picture_height pixels, which stay there until the next picture; null for a map without land.
__attribute__((export_name("picture"))) const std::uint8_t* Draw() {
  PudFile file(map.data(), map.size());
  MapLand land;
  if (!ReadMapLand(file, land)) return nullptr;
  DrawPicture(land, picture);
  return picture.rgb.data();
}

__attribute__((export_name("picture_width"))) int PictureWidth() { return picture.width; }

__attribute__((export_name("picture_height"))) int PictureHeight() { return picture.height; }

// The texts the page shows as the window and the checker do: the report's columns, what it says
// of a file it cannot read and of a map without a picture, and the names of what a start reaches;
// and the picture's colours of the slots 1 to 8 and of the mines and oil patches, which the page's
// marks must not hide.
__attribute__((export_name("texts"))) const char* Texts() {
  answer =
      Json{{"columns", kColumnNames},      {"fileInputError", kFileInputError},
           {"noPicture", kNoPicture},      {"reachItems", kReachItemNames},
           {"playerColors", kOwnerColors}, {"resourceColors", {kGoldMineColor, kOilPatchColor}}}
          .dump();
  return answer.c_str();
}

__attribute__((export_name("answer_size"))) std::size_t AnswerSize() { return answer.size(); }

__attribute__((export_name("version"))) const char* Version() { return kStatwardenVersion; }
}
