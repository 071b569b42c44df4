// The configuration reader on any bytes: it reads to the end of the file, and the sound flag
// ends as 0, as 1, or as it was; whether the file sets it cannot depend on where it started.
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

int SoundAfterReading(std::vector<char>& bytes, int start) {
  std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
  if (file == nullptr) Fail("fmemopen failed");
  int flag = start;
  ReadConfigEntries(file, flag);
  const bool atEnd = std::feof(file) != 0;
  std::fclose(file);
  if (!atEnd) Fail("stopped before the end of the file");
  if (flag != 0 && flag != 1 && flag != start) Fail("the flag is neither 0, 1 nor unchanged");
  return flag;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char> bytes(data, data + size);
  bytes.reserve(1);  // an empty file still has a buffer to point at

  const int fromUnset = SoundAfterReading(bytes, kUnset);
  const int fromOff = SoundAfterReading(bytes, 0);
  const int fromOn = SoundAfterReading(bytes, 1);
  if (fromUnset == kUnset ? fromOff != 0 || fromOn != 1
                          : fromOff != fromUnset || fromOn != fromUnset) {
    std::fprintf(stderr, "flag after reading from %d: %d, from 0: %d, from 1: %d\n", kUnset,
                 fromUnset, fromOff, fromOn);
    Fail("what the file sets depends on the flag before");
  }
  return 0;
}
