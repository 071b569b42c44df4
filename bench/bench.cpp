// Throughput of the analysis, and of the checker over many maps against the bare reading floor;
// the time of the reach comparison and of the picture of a map.
//
//   bench MAP CHECKER FLOOR LAND-MAP
//
// MAP is one real map; CHECKER is statwarden-cli; FLOOR the program that only reads the bytes;
// LAND-MAP a real map of 128 x 128 tiles with eight person slots.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "map_picture.h"
#include "report_lines.h"
#include "start_reach.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

class NullSink : public ReportSink {
 public:
  void AddLine(std::string_view line) override { bytes += line.size(); }
  std::size_t bytes = 0;
};

class NullReachSink : public ReachSink {
 public:
  void AddReachChange(const ReachChange&) override { ++changes; }
  int changes = 0;
};

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Runs `arguments` with its output thrown away; the time it took.
double TimeRun(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const Clock::time_point start = Clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  const double seconds = Seconds(Clock::now() - start);
  posix_spawn_file_actions_destroy(&actions);
  return WIFEXITED(status) && WEXITSTATUS(status) <= 1 ? seconds : -1;
}

double BestOf(int runs, const std::vector<std::string>& arguments) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) best = std::min(best, TimeRun(arguments));
  return best;
}

// The median time of `runs` runs of `task`, in milliseconds.
template <typename Task>
double MedianMilliseconds(int runs, Task task) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const Clock::time_point start = Clock::now();
    task();
    times.push_back(Seconds(Clock::now() - start) * 1000);
  }
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[static_cast<std::size_t>(runs / 2)];
}

// The reach comparison, and the picture, of a map read from memory as the page reads it.
void TimeLand(const std::string& map) {
  std::ifstream in(map, std::ios::binary);
  const std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(in), {});
  NullReachSink sink;
  const double reach = MedianMilliseconds(200, [&] {
    PudFile file(bytes.data(), bytes.size());
    CompareReach(file, sink);
  });
  const double picture = MedianMilliseconds(200, [&] {
    PudFile file(bytes.data(), bytes.size());
    MapLand land;
    Picture drawn;
    if (ReadMapLand(file, land)) DrawPicture(land, drawn);
  });
  std::printf("%s: reach comparison %.2f ms, picture %.2f ms (median; target: each at most 3)\n",
              std::filesystem::path(map).filename().c_str(), reach, picture);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: bench MAP CHECKER FLOOR LAND-MAP\n", stderr);
    return 2;
  }
  const std::string map = argv[1];

  NullSink sink;
  long analyses = 0;
  const Clock::time_point start = Clock::now();
  while (Clock::now() - start < std::chrono::seconds(1)) {
    for (int i = 0; i < 100; ++i, ++analyses) AnalysePud(map.c_str(), sink);
  }
  std::printf("analysis of %s: %.0f per second\n", std::filesystem::path(map).filename().c_str(),
              static_cast<double>(analyses) / Seconds(Clock::now() - start));
  TimeLand(argv[4]);

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("sw-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::vector<std::string> copies;
  for (int i = 0; i < 1000; ++i) {
    copies.push_back((folder / ("map" + std::to_string(i) + ".pud")).string());
    std::filesystem::copy_file(map, copies.back());
  }
  std::vector<std::string> checker{argv[2], "--raw"};
  checker.insert(checker.end(), copies.begin(), copies.end());
  std::vector<std::string> floor{argv[3]};
  floor.insert(floor.end(), copies.begin(), copies.end());
  // The thorough check of every field, in its human and JSON views.
  std::vector<std::string> all{argv[2], "--all"};
  all.insert(all.end(), copies.begin(), copies.end());
  std::vector<std::string> allJson = all;
  allJson.insert(allJson.begin() + 2, "--json");
  const double checkerSeconds = BestOf(5, checker);
  const double floorSeconds = BestOf(5, floor);
  const double allSeconds = BestOf(5, all);
  const double allJsonSeconds = BestOf(5, allJson);
  std::filesystem::remove_all(folder);
  if (checkerSeconds < 0 || floorSeconds < 0 || allSeconds < 0 || allJsonSeconds < 0) {
    std::fputs("bench: a run failed\n", stderr);
    return 1;
  }
  std::printf("statwarden-cli --raw over 1000 maps: %.1f ms\n", checkerSeconds * 1000);
  std::printf("reading the same bytes only:        %.1f ms\n", floorSeconds * 1000);
  std::printf("ratio: %.2f (target: at most 1.3)\n", checkerSeconds / floorSeconds);
  std::printf("statwarden-cli --all over 1000 maps: %.1f ms, with --json: %.1f ms\n",
              allSeconds * 1000, allJsonSeconds * 1000);
  return 0;
}
