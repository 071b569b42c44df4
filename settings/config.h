// The configuration file's contents: what the reader takes from it and what the writer puts in.
#pragma once

#include <cstddef>
#include <cstdio>

// The name of the configuration file in the temporary folder.
inline constexpr char kConfigFileName[] = "sw_config.cfg";

// Room for a key name; a longer one is read to its "]" and matches no key.
inline constexpr std::size_t kKeyNameRoom = 11;

// Reads what the key `keyName` takes from `file`, positioned just after the key's "]": the
// value of "SOUND" (which sets `soundFlag` when it begins with "1" or "0") and of "DEBUG", or,
// for any other key, the rest of the line.
void ApplyConfigKey(std::FILE* file, const char* keyName, int& soundFlag);

// Scans the whole of `file` for its entries. Any bytes at all are valid.
void ReadConfigEntries(std::FILE* file, int& soundFlag);

// Room for the whole file as the writer puts it, with a terminator.
inline constexpr std::size_t kConfigTextRoom = 13;

// Writes the whole file as the writer puts it to `text`, before a text-mode stream turns each
// line feed into the platform's line end; returns `text`.
const char* ConfigText(int soundFlag, char (&text)[kConfigTextRoom]);
