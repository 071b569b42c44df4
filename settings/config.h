// The configuration file's contents: what the reader takes from it and what the writer puts in.
#pragma once

#include <cstddef>
#include <cstdio>

// The name of the configuration file in the temporary folder.
inline constexpr char kConfigFileName[] = "sw_config.cfg";

// Room for a key name; a longer one is read to its "]" and matches no key.
inline constexpr std::size_t kKeyNameRoom = 11;

// The settings the file holds, each 1 (on) or 0 (off).
struct ConfigFlags {
  int& sound;      // the result tunes are played
  int& allFields;  // the report lists every field that differs, not only the seven statistics
};

// Reads what the key `keyName` takes from `file`, positioned just after the key's "]": the
// value of "SOUND" and of "ALLFIELDS" (each sets its flag when it begins with "1" or "0") and of
// "DEBUG", or, for any other key, the rest of the line.
void ApplyConfigKey(std::FILE* file, const char* keyName, const ConfigFlags& flags);

// Scans the whole of `file` for its entries. Any bytes at all are valid.
void ReadConfigEntries(std::FILE* file, const ConfigFlags& flags);

// Room for the whole file as the writer puts it, with a terminator.
inline constexpr std::size_t kConfigTextRoom = 27;

// Writes the whole file as the writer puts it to `text`, before a text-mode stream turns each
// line feed into the platform's line end; returns `text`. The "ALLFIELDS" entry is written only
// while it is on, so that the file is the same as ever while it is off.
const char* ConfigText(int soundFlag, int allFieldsFlag, char (&text)[kConfigTextRoom]);
