// Choosing the newest map of a folder, the way the Scan command chooses it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

// File attribute bits as a directory search reports them.
inline constexpr std::uint32_t kAttributeHidden = 0x2;
inline constexpr std::uint32_t kAttributeSystem = 0x4;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;

// The longest file name a map can have, in bytes, without its terminator: 255 characters, which
// take up to three bytes each in UTF-8.
inline constexpr std::size_t kPudNameLength = 3 * 255;

// One entry of the search for maps. Date and time are local time in MS-DOS packed form.
struct PudEntry {
  char name[kPudNameLength + 1] = {};  // bare file name
  // The name is in UTF-8: the system's narrow (ANSI) file functions cannot spell it, and it is
  // opened by its wide-character form.
  bool utf8 = false;
  std::int32_t size = 0;
  std::uint32_t attributes = 0;
  std::uint16_t time = 0;  // bits 15-11 hour, 10-5 minute, 4-0 seconds / 2
  std::uint16_t date = 0;  // bits 15-9 years since 1980, 8-5 month, 4-0 day
};

// Directories, hidden files and system files are never offered as maps.
bool IsListedPud(std::uint32_t attributes);

// Whether a file name ends in ".pud", in any case.
bool HasPudExtension(const char* name);

// Copies `name` into the entry; false, with the entry's name left as it was, when it is longer
// than kPudNameLength.
bool SetPudName(PudEntry& entry, const char* name);

// Packs a broken-down local time. Times before 1980 pack as 0; after 2107, as the last moment.
std::uint16_t PackDosDate(const std::tm& local);
std::uint16_t PackDosTime(const std::tm& local);

// Keeps the newest of the entries offered, by date, then time; among equals the first offered.
class LatestPud {
 public:
  void Offer(const PudEntry& entry);
  bool Found() const { return found_; }
  const PudEntry& Best() const { return best_; }

 private:
  bool found_ = false;
  PudEntry best_;
};
