// The search for maps over a folder of 10,000 of them: Scan's choice of the newest and
// Autoscan's count, against a bare walk over the same folder's entries.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "pud_search.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// Lists every entry of the folder and looks at nothing but the names.
long BareWalk(const std::string& folder) {
  long entries = 0;
#ifdef _WIN32
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.pud").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    entries += found.cFileName[0] != '.';
  } while (FindNextFileA(search, &found));
  FindClose(search);
#else
  DIR* directory = opendir(folder.c_str());
  while (const dirent* item = readdir(directory)) entries += item->d_name[0] != '.';
  closedir(directory);
#endif
  return entries;
}

template <typename Work>
double BestMilliseconds(Work work) {
  double best = 1e9;
  for (int run = 0; run < 7; ++run) {
    const Clock::time_point start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "statwarden-search-bench";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const auto now = std::filesystem::file_time_type::clock::now();
  for (int i = 0; i < 10000; ++i) {
    const std::filesystem::path map = folder / ("map" + std::to_string(i) + ".pud");
    std::ofstream(map) << "map";
    std::filesystem::last_write_time(map, now - std::chrono::minutes(i % 997));
  }
  const std::string path = folder.string();

  long walked = 0;
  const double floor = BestMilliseconds([&] { walked = BareWalk(path); });
  LatestPudVisitor newest;
  const double choice = BestMilliseconds([&] {
    newest = LatestPudVisitor();
    ForEachPud(path.c_str(), newest);
  });
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  int counted = 0;
  const double count = BestMilliseconds([&] { counted = CountPuds(); });
  std::filesystem::current_path(before);
  std::filesystem::remove_all(folder);

  if (walked != 10000 || counted != 10000 || !newest.latest.Found()) {
    std::fprintf(stderr, "search_bench: walked %ld, counted %d\n", walked, counted);
    return 1;
  }
  std::printf(
      "10,000 maps: bare walk %.1f ms; newest %.1f ms (ratio %.2f); count %.1f ms "
      "(ratio %.2f); target at most 1.5\n",
      floor, choice, choice / floor, count, count / floor);
  return 0;
}
