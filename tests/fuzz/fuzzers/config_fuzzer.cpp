// The configuration reader on any bytes: it reads to the end of the file, and each flag ends as 0,
// as 1, or as it was; whether the file sets a flag cannot depend on where it started.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "config.h"

namespace {

constexpr int kUnset = 7;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "config reader: %s\n", what);
  std::abort();
}

// The sound flag and the all-fields flag after reading, both starting at `start`.
std::array<int, 2> FlagsAfterReading(std::vector<char>& bytes, int start) {
  std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
  if (file == nullptr) Fail("fmemopen failed");
  std::array<int, 2> flags{start, start};
  ReadConfigEntries(file, {flags[0], flags[1]});
  const bool atEnd = std::feof(file) != 0;
  std::fclose(file);
  if (!atEnd) Fail("stopped before the end of the file");
  for (const int flag : flags)
    if (flag != 0 && flag != 1 && flag != start) Fail("a flag is neither 0, 1 nor unchanged");
  return flags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char> bytes(data, data + size);
  bytes.reserve(1);  // an empty file still has a buffer to point at

  const std::array<int, 2> fromUnset = FlagsAfterReading(bytes, kUnset);
  const std::array<int, 2> fromOff = FlagsAfterReading(bytes, 0);
  const std::array<int, 2> fromOn = FlagsAfterReading(bytes, 1);
  for (std::size_t i = 0; i < fromUnset.size(); ++i) {
    if (fromUnset[i] == kUnset ? fromOff[i] != 0 || fromOn[i] != 1
                               : fromOff[i] != fromUnset[i] || fromOn[i] != fromUnset[i]) {
      std::fprintf(stderr, "flag %zu after reading from %d: %d, from 0: %d, from 1: %d\n", i,
                   kUnset, fromUnset[i], fromOff[i], fromOn[i]);
      Fail("what the file sets depends on the flag before");
    }
  }
  return 0;
}
