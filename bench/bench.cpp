// Throughput of the analysis, and of the checker over many maps against the bare reading floor.
//
//   bench MAP CHECKER FLOOR
//
// MAP is one real map; CHECKER is statwarden-cli; FLOOR the program that only reads the bytes.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "report_lines.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

class NullSink : public ReportSink {
 public:
  void AddLine(std::string_view line) override { bytes += line.size(); }
  std::size_t bytes = 0;
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: bench MAP CHECKER FLOOR\n", stderr);
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
