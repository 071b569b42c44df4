// Many thousands of random and mangled configuration files through the reader, built with the
// address and undefined-behaviour sanitizers: any bytes are valid input.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "config_support.h"

namespace {

// Pieces that make the reader take its every path, and now and then any byte at all.
std::string RandomFile(std::mt19937& random) {
  static const std::string pieces[] = {"[",
                                       "]",
                                       "/",
                                       "\n",
                                       "\r\n",
                                       " ",
                                       "SOUND",
                                       "DEBUG",
                                       "0",
                                       "1",
                                       "[SOUND]",
                                       "[DEBUG]",
                                       "x",
                                       "\t",
                                       "\x80",
                                       "\xFF",
                                       std::string(1, '\0'),
                                       std::string(40, 'S'),
                                       std::string(300, '1')};
  std::uniform_int_distribution<std::size_t> count(0, 40);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces));
  std::uniform_int_distribution<int> anyByte(0, 255);
  std::string file;
  for (std::size_t n = count(random); n > 0; --n) {
    const std::size_t choice = piece(random);
    if (choice == std::size(pieces)) {
      file.push_back(static_cast<char>(anyByte(random)));
    } else {
      file += pieces[choice];
    }
  }
  return file;
}

TEST(ConfigFuzzTest, AnyBytesGiveASoundFlag) {
  std::mt19937 random(20261206);
  for (int i = 0; i < 20000; ++i) {
    const std::string file = RandomFile(random);
    for (int before : {0, 1}) {
      const int after = SoundAfterReading(file, before);
      ASSERT_TRUE(after == 0 || after == 1) << i;
    }
  }
}

// The written file with single bytes changed, dropped or cut off.
TEST(ConfigFuzzTest, MangledWrittenFiles) {
  std::mt19937 random(15);
  std::uniform_int_distribution<int> anyByte(0, 255);
  char text[kConfigTextRoom];
  for (int i = 0; i < 20000; ++i) {
    std::string file = ConfigText(i % 2, text);
    std::uniform_int_distribution<std::size_t> at(0, file.size() - 1);
    switch (i % 3) {
      case 0:
        file[at(random)] = static_cast<char>(anyByte(random));
        break;
      case 1:
        file.erase(at(random), 1);
        break;
      default:
        file.resize(at(random));
        break;
    }
    const int after = SoundAfterReading(file, 7);
    ASSERT_TRUE(after == 0 || after == 1 || after == 7) << i;
  }
}

}  // namespace
