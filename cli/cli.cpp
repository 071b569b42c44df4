#include "cli.h"

#include <cstring>
#include <set>

#include "map_analysis.h"
#include "map_picture.h"
#include "path_in_folder.h"
#include "png_file.h"
#include "pud_search.h"
#include "report_texts.h"
#include "start_dir.h"
#include "statwarden_version.h"
#include "views.h"

namespace {

constexpr const char* kUsage =
    "Usage: statwarden-cli [--all] [--raw | --json] [--picture DIR] MAP...\n"
    "       statwarden-cli [--all] [--raw | --json] [--picture DIR] --latest [DIR]\n"
    "\n"
    "Checks Warcraft II maps (*.pud) for unit statistics that differ from the game's\n"
    "standard values: build time, basic attack, piercing damage, gold, wood and oil\n"
    "cost, and hit points.\n"
    "\n"
    "  --all          also compare every other field of the unit data (sight, range,\n"
    "                 armor, magic, missiles, flags...) and of the upgrades (time and\n"
    "                 costs...) with the game's standard data; a change that the\n"
    "                 seven statistics show is not shown again; then what each\n"
    "                 person's slot starts with against what most start with, and\n"
    "                 what each person's start reaches over land (its nearest gold\n"
    "                 mine, the gold and the rescuable units close by) against the\n"
    "                 median of the starts\n"
    "  --raw          the report lines exactly as the Statwarden window lists them\n"
    "                 (with --all, as it lists them while it checks every field)\n"
    "  --json         one JSON array with an object per map\n"
    "  --latest [DIR] check the newest *.pud of DIR (default: the current directory)\n"
    "  --picture DIR  also draw each map's land and units into DIR, an existing\n"
    "                 folder, as a PNG file named as the map with .png for its\n"
    "                 extension (\"NAME (2).png\"... for a name the run has written)\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "Exit status: 0 when every map is clean, 1 when any map has discrepancies (with\n"
    "--all: also when any field, start or reach differs), 2 on any error, a report\n"
    "or a picture that could not be written whole (a full disk) among them.\n";

struct Options {
  ViewKind view = ViewKind::Human;
  bool all = false;  // every field, not only the seven statistics
  bool latest = false;
  bool picture = false;  // each map's picture is written into pictureDir
  std::string pictureDir;
  std::vector<std::string> operands;  // maps, or the folder of --latest
  bool utf8Arguments = false;         // the command line is in UTF-8
  bool utf8Operands = false;          // the maps, or the map --latest chose, are in UTF-8
};

enum class Parse { Run, Help, Version, Bad };

Parse ParseArguments(const std::vector<std::string>& arguments, Options& options) {
  bool viewChosen = false;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      options.operands.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help") {
      return Parse::Help;
    } else if (argument == "--version") {
      return Parse::Version;
    } else if (argument == "--latest") {
      options.latest = true;
    } else if (argument == "--all") {
      options.all = true;
    } else if (argument == "--picture" && !options.picture && i + 1 < arguments.size()) {
      options.picture = true;
      options.pictureDir = arguments[++i];
    } else if ((argument == "--raw" || argument == "--json") && !viewChosen) {
      options.view = argument == "--raw" ? ViewKind::Raw : ViewKind::Json;
      viewChosen = true;
    } else {
      return Parse::Bad;
    }
  }
  const std::size_t count = options.operands.size();
  return (options.latest ? count <= 1 : count >= 1) ? Parse::Run : Parse::Bad;
}

// The picture's file name: the map's with ".png" for its extension, or with " (2)", " (3)"...
// before it when the run has chosen that name already.
std::string PictureName(const std::string& map, std::set<std::string>& chosen) {
  std::string stem = NameInPath(map);
  if (const std::size_t dot = stem.rfind('.'); dot != std::string::npos && dot > 0)
    stem.resize(dot);
  std::string name = stem + ".png";
  for (int copy = 2; !chosen.insert(name).second; ++copy) {
    name = stem + " (" + std::to_string(copy) + ").png";
  }
  return name;
}

// A line on stderr, after what the report holds so far.
void Tell(TextOutput& out, TextOutput& err, const std::string& line) {
  out.Flush();
  err.Write(line + "\n");
}

// Writes the picture of an open map into the --picture folder, or says that it has none; false
// when the file could not be written.
bool WritePicture(PudFile& file, const std::string& map, const Options& options,
                  std::set<std::string>& chosen, TextOutput& out, TextOutput& err) {
  MapLand land;
  if (!ReadMapLand(file, land)) {
    Tell(out, err, map + ": " + kNoPicture);
    return true;
  }
  Picture picture;
  DrawPicture(land, picture);
  // A UTF-8 map name that --latest found in a folder named in the ANSI code page makes the path
  // UTF-8 as a whole.
  const std::string path = PathInFolder(options.pictureDir, PictureName(map, chosen),
                                        options.utf8Operands && !options.utf8Arguments);
  const int error = WritePngFile(path, options.utf8Operands, picture);
  if (error == 0) return true;
  Tell(out, err, "Error - the picture could not be written: " + path + ": " + std::strerror(error));
  return false;
}

// The newest map of `folder` as a path to open, or "" when it holds none; `utf8` tells whether
// the folder is in UTF-8, then whether the path is (see PudEntry).
std::string LatestPudIn(const std::string& folder, bool& utf8) {
  // A folder in UTF-8 has every name given in UTF-8 too: the two join as they are.
  const bool utf8Folder = utf8;
  LatestPudVisitor search;
  ForEachPud(folder.c_str(), search, utf8Folder);
  const LatestPud& latest = search.latest;
  if (!latest.Found()) return std::string();
  utf8 = latest.Best().utf8;
  return PathInFolder(folder, latest.Best().name, utf8 && !utf8Folder);
}

int Run(const std::vector<std::string>& arguments, TextOutput& out, TextOutput& err,
        bool utf8Arguments) {
  Options options;
  options.utf8Arguments = options.utf8Operands = utf8Arguments;
  switch (ParseArguments(arguments, options)) {
    case Parse::Help:
      out.Write(kUsage);
      return kExitClean;
    case Parse::Version:
      out.Write(std::string("statwarden-cli ") + kStatwardenVersion + "\n");
      return kExitClean;
    case Parse::Bad:
      err.Write(kUsage);
      return kExitError;
    case Parse::Run:
      break;
  }

  if (options.latest) {
    // Like the window's Scan, the search without a folder looks in the start folder.
    if (options.operands.empty()) RestoreStartDir();
    const std::string latest =
        LatestPudIn(options.operands.empty() ? "" : options.operands[0], options.utf8Operands);
    if (latest.empty()) {
      err.Write(std::string(kNoPudsFound) + "\n");
      return kExitError;
    }
    options.operands = {latest};
  }

  // The human view also names the map that --latest chose.
  const bool nameEachMap =
      options.operands.size() > 1 || (options.latest && options.view == ViewKind::Human);
  const std::unique_ptr<MapView> view = MakeView(options.view, out, nameEachMap, options.all);
  bool discrepancies = false;
  bool failed = false;
  std::set<std::string> pictureNames;  // chosen in this run
  for (const std::string& map : options.operands) {
    view->BeginMap(map);
    PudFile file(map.c_str(), options.utf8Operands);
    Analysis analysis{ReadOutcome::OpenFailed, false};
    if (file.IsOpen()) analysis = AnalyseMap(file, *view, options.all);
    view->EndMap(analysis);
    if (analysis.outcome == ReadOutcome::OpenFailed) {
      Tell(out, err, std::string(kFileInputError) + ": " + map);
      failed = true;
    } else if (options.picture && !WritePicture(file, map, options, pictureNames, out, err)) {
      failed = true;
    }
    discrepancies = discrepancies || analysis.discrepancies;
  }
  view->Finish();
  return failed ? kExitError : discrepancies ? kExitDiscrepancies : kExitClean;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, TextOutput& out, TextOutput& err,
           bool utf8Arguments) {
  const int status = Run(arguments, out, err, utf8Arguments);
  // A report lost on its way (a full disk, a closed pipe) is an error, whatever the maps hold.
  if (const int error = out.Flush(); error != 0) {
    err.Write(std::string("Error - the report could not be written: ") + std::strerror(error) +
              "\n");
    return kExitError;
  }
  return status;
}
