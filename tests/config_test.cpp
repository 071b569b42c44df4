#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "config.h"

namespace {

// The sound flag after reading a file of `bytes`, starting from `flag`.
int SoundAfterReading(const std::string& bytes, int flag) {
  std::FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  ReadConfigEntries(file, flag);
  std::fclose(file);
  return flag;
}

struct ConfigCase {
  const char* what;
  std::string bytes;
  int before;
  int after;
};

class ConfigReaderTest : public testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigReaderTest, SoundFlag) {
  EXPECT_EQ(SoundAfterReading(GetParam().bytes, GetParam().before), GetParam().after)
      << GetParam().what;
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Files, ConfigReaderTest,
    testing::Values(ConfigCase{"empty file", "", 0, 0},
                    ConfigCase{"as written, on", "\n[SOUND] 1\n\n", 0, 1},
                    ConfigCase{"value right after the bracket", "[SOUND]0", 1, 0},
                    ConfigCase{"blank lines before the value", "[SOUND]\n\n \t\n0\n", 1, 0},
                    ConfigCase{"bytes 128 to 255 are blanks",
                               "[SOUND]\x80\xA0\xFF"
                               "1",
                               0, 1},
                    ConfigCase{"only the first character counts", "[SOUND] 10", 0, 1},
                    ConfigCase{"a long value", "[SOUND] 0" + std::string(500, '1') + "\n", 1, 0},
                    ConfigCase{"a value of another kind", "[SOUND] yes", 1, 1},
                    ConfigCase{"byte 127 is a value",
                               "[SOUND] \x7F"
                               "1",
                               0, 0},
                    ConfigCase{"lower-case key", "[sound] 1\n", 0, 0},
                    ConfigCase{"blank inside the brackets", "[SOUND ] 1\n", 0, 0},
                    ConfigCase{"commented out", "/[SOUND] 1\n", 0, 0},
                    ConfigCase{"after a comment line", "/ settings\n[SOUND] 1\n", 0, 1},
                    ConfigCase{"comment cut off by the end", "/ settings [SOUND] 1", 0, 0},
                    ConfigCase{"other key skips its line", "[OTHER] word [SOUND] 1\n", 0, 0},
                    ConfigCase{"other key, then the next line", "[OTHER] word\n[SOUND] 1\n", 0, 1},
                    ConfigCase{"debug value ends at a blank", "[DEBUG] 1 [SOUND] 0\n", 1, 0},
                    ConfigCase{"debug key inside a value", "[SOUND] 1[DEBUG] 0\n", 0, 1},
                    ConfigCase{"the later entry wins", "[SOUND] 1\n[SOUND] 0\n", 1, 0},
                    ConfigCase{"key at the end", "[SOUND] 1\n[SOUND]", 0, 1},
                    ConfigCase{"key cut off by the end", "[SOUND] 0\n[SOUND", 1, 0},
                    ConfigCase{"overlong key that starts like one", "[SOUND      x] 0\n", 1, 1},
                    ConfigCase{"key names end at a zero byte", "[SOUND\0junk] 1\n"s, 0, 1},
                    ConfigCase{"overlong key that reads as one", "[SOUND\0\0\0\0\0\0\0] 1\n"s, 0,
                               0},
                    ConfigCase{"stray brackets and bytes", "]]\x01\xFE[[SOUND] 1\n[SOUND]1", 0, 1}),
    [](const testing::TestParamInfo<ConfigCase>& test) {
      return "case" + std::to_string(test.index);
    });

// As the reader's "as written" case reads it; sound on is checked on disk end to end.
TEST(ConfigWriterTest, SoundOff) {
  char text[kConfigTextRoom];
  EXPECT_STREQ(ConfigText(0, text), "\n[SOUND] 0\n\n");
}

}  // namespace
