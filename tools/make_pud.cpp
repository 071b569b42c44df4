// Writes a map file with chosen unit data, for the samples and for trying the checker.
//
//   make_pud OUTPUT [--no-erax] [--default-data] [--set STATISTIC:UNIT=VALUE]... [--mtime SECONDS]
//
// Every unit starts with the game's standard values; each --set changes one statistic of one unit
// (costs in tens, as the map stores them). --mtime sets the last-write time (seconds since 1970).
#include <utime.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sample_pud.h"
#include "statistic_comparison.h"

namespace {

bool ParseSet(const char* text, PudUnitData& units) {
  const char* colon = std::strchr(text, ':');
  if (colon == nullptr) return false;
  const std::string key(text, colon);
  int unit = 0;
  unsigned value = 0;
  if (std::sscanf(colon + 1, "%d=%u", &unit, &value) != 2 || unit < 0 || unit >= kUnitTypes) {
    return false;
  }
  for (Statistic statistic : kStatistics) {
    if (key == ReportOf(statistic).key) {
      SetMapValue(units, statistic, unit, value);
      return true;
    }
  }
  return false;
}

int Usage() {
  std::fputs(
      "usage: make_pud OUTPUT [--no-erax] [--default-data] [--set STATISTIC:UNIT=VALUE]... "
      "[--mtime SECONDS]\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  SamplePud sample;
  const char* mtime = nullptr;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--no-erax") {
      sample.erax = false;
    } else if (option == "--default-data") {
      sample.defaultDataWord = 1;
    } else if (option == "--set" && i + 1 < argc && ParseSet(argv[i + 1], sample.units)) {
      ++i;
    } else if (option == "--mtime" && i + 1 < argc) {
      mtime = argv[++i];
    } else {
      return Usage();
    }
  }
  if (!WritePud(argv[1], sample)) {
    std::perror(argv[1]);
    return 1;
  }
  if (mtime != nullptr) {
    const auto seconds = static_cast<time_t>(std::strtoll(mtime, nullptr, 10));
    const utimbuf times{seconds, seconds};
    if (utime(argv[1], &times) != 0) {
      std::perror(argv[1]);
      return 1;
    }
  }
  return 0;
}
