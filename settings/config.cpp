#include "config.h"

#include <algorithm>
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

// Reads a flag's value: "1" sets it on, "0" off, anything else leaves it.
void ReadFlag(std::FILE* file, int& flag) {
  const int first = ReadValue(file);
  if (first == '1')
    flag = 1;
  else if (first == '0')
    flag = 0;
}

}  // namespace

void ApplyConfigKey(std::FILE* file, const char* keyName, const ConfigFlags& flags) {
  if (std::strcmp(keyName, "SOUND") == 0) {
    ReadFlag(file, flags.sound);
  } else if (std::strcmp(keyName, "ALLFIELDS") == 0) {
    ReadFlag(file, flags.allFields);
  } else if (std::strcmp(keyName, "DEBUG") == 0) {
    ReadValue(file);
  } else {
    int byte = 0;
    SkipLine(file, byte);
  }
}

void ReadConfigEntries(std::FILE* file, const ConfigFlags& flags) {
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
      ApplyConfigKey(file, length > kKeyNameRoom ? "" : keyName, flags);
    }
  } while (byte != EOF);
}

const char* ConfigText(int soundFlag, int allFieldsFlag, char (&text)[kConfigTextRoom]) {
  static constexpr char kSound[] = "\n[SOUND] ";
  static constexpr char kAllFields[] = "\n[ALLFIELDS] 1";
  static constexpr char kEnd[] = "\n\n";
  // The entries without their terminators, the digit, the end with its terminator.
  static_assert(sizeof kSound - 1 + 1 + sizeof kAllFields - 1 + sizeof kEnd == kConfigTextRoom);
  char* end = std::copy_n(kSound, sizeof kSound - 1, text);
  *end++ = static_cast<char>('0' + soundFlag);
  if (allFieldsFlag != 0) end = std::copy_n(kAllFields, sizeof kAllFields - 1, end);
  std::copy_n(kEnd, sizeof kEnd, end);
  return text;
}
