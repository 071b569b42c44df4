#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "config.h"

namespace {

// The sound flag, or the all-fields flag, after reading a file of `bytes`, both starting at `flag`.
int FlagAfterReading(const std::string& bytes, int flag, bool allFields) {
  std::FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  int sound = flag, all = flag;
  ReadConfigEntries(file, {sound, all});
  std::fclose(file);
  return allFields ? all : sound;
}

using namespace std::string_literals;

// The sound flag, or with `allFields` the all-fields flag, which takes the same value rules.
TEST(ConfigReaderTest, Flags) {
  const struct {
    const char* what;
    std::string bytes;
    int before, after;
    bool allFields = false;
  } cases[] = {
      {"empty file", "", 0, 0},
      {"as written, on", "\n[SOUND] 1\n\n", 0, 1},
      {"value right after the bracket", "[SOUND]0", 1, 0},
      {"blank lines before the value", "[SOUND]\n\n \t\n0\n", 1, 0},
      {"bytes 128 to 255 are blanks", "[SOUND]\x80\xA0\xFF"s + '1', 0, 1},
      {"only the first character counts", "[SOUND] 10", 0, 1},
      {"a long value", "[SOUND] 0" + std::string(500, '1') + "\n", 1, 0},
      {"a value of another kind", "[SOUND] yes", 1, 1},
      {"byte 127 is a value", "[SOUND] \x7F"s + '1', 0, 0},
      {"lower-case key", "[sound] 1\n", 0, 0},
      {"blank inside the brackets", "[SOUND ] 1\n", 0, 0},
      {"commented out", "/[SOUND] 1\n", 0, 0},
      {"after a comment line", "/ settings\n[SOUND] 1\n", 0, 1},
      {"comment cut off by the end", "/ settings [SOUND] 1", 0, 0},
      {"other key skips its line", "[OTHER] word [SOUND] 1\n", 0, 0},
      {"other key, then the next line", "[OTHER] word\n[SOUND] 1\n", 0, 1},
      {"debug value ends at a blank", "[DEBUG] 1 [SOUND] 0\n", 1, 0},
      {"debug key inside a value", "[SOUND] 1[DEBUG] 0\n", 0, 1},
      {"the later entry wins", "[SOUND] 1\n[SOUND] 0\n", 1, 0},
      {"key at the end", "[SOUND] 1\n[SOUND]", 0, 1},
      {"key cut off by the end", "[SOUND] 0\n[SOUND", 1, 0},
      {"overlong key that starts like one", "[SOUND      x] 0\n", 1, 1},
      {"key names end at a zero byte", "[SOUND\0junk] 1\n"s, 0, 1},
      {"overlong key that reads as one", "[SOUND\0\0\0\0\0\0\0] 1\n"s, 0, 0},
      {"stray brackets and bytes", "]]\x01\xFE[[SOUND] 1\n[SOUND]1", 0, 1},
      {"all fields off", "[ALLFIELDS]\n0", 1, 0, true},
      {"all fields, a value of another kind", "[ALLFIELDS] on", 1, 1, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FlagAfterReading(c.bytes, c.before, c.allFields), c.after) << c.what;
}

}  // namespace
