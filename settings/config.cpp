#include "config.h"

#include <cstring>

namespace {

// Bytes 33 to 127 make up a value; every other byte is a blank.
bool IsValueByte(int byte) { return byte >= 33 && byte <= 127; }

// Skips blanks, then reads the value and the byte that ends it. Gives the value's first
// character, or EOF when the file ends before a value starts.
int ReadValue(std::FILE* file) {
  int byte = std::getc(file);
  while (byte != EOF && !IsValueByte(byte)) byte = std::getc(file);
  const int first = byte;
  // Only the first character counts; the rest of the value, however long, is passed over.
  while (byte != EOF && IsValueByte(byte)) byte = std::getc(file);
  return first;
}

void SkipLine(std::FILE* file, int& byte) {
  do {
    byte = std::getc(file);
  } while (byte != EOF && byte != '\n');
}

}  // namespace

void ApplyConfigKey(std::FILE* file, const char* keyName, int& soundFlag) {
  if (std::strcmp(keyName, "SOUND") == 0) {
    const int first = ReadValue(file);
    if (first == '1')
      soundFlag = 1;
    else if (first == '0')
      soundFlag = 0;
  } else if (std::strcmp(keyName, "DEBUG") == 0) {
    ReadValue(file);
  } else {
    int byte = 0;
    SkipLine(file, byte);
  }
}

void ReadConfigEntries(std::FILE* file, int& soundFlag) {
  int byte = 0;
  do {
    byte = std::getc(file);
    if (byte == '/') SkipLine(file, byte);
    if (byte == '[') {
      char keyName[kKeyNameRoom + 1] = {};
      std::size_t length = 0;
      for (byte = std::getc(file); byte != EOF && byte != ']'; byte = std::getc(file)) {
        if (length < kKeyNameRoom) keyName[length] = static_cast<char>(byte);
        ++length;
      }
      // An overlong name matches no key, even when what fits of it reads as one (a key name
      // ends at a zero byte, so "SOUND" and six zero bytes would).
      ApplyConfigKey(file, length > kKeyNameRoom ? "" : keyName, soundFlag);
    }
  } while (byte != EOF);
}

const char* ConfigText(int soundFlag, char (&text)[kConfigTextRoom]) {
  static constexpr char kEntryStart[] = "\n[SOUND] ";
  static constexpr char kEntryEnd[] = "\n\n";
  static_assert(sizeof kEntryStart + sizeof kEntryEnd == kConfigTextRoom);
  std::memcpy(text, kEntryStart, sizeof kEntryStart - 1);
  text[sizeof kEntryStart - 1] = static_cast<char>('0' + soundFlag);
  std::memcpy(text + sizeof kEntryStart, kEntryEnd, sizeof kEntryEnd);
  return text;
}
