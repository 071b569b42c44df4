#include "latest_pud.h"

#include <cctype>
#include <cstring>

bool IsListedPud(std::uint32_t attributes) {
  return (attributes & (kAttributeHidden | kAttributeSystem | kAttributeDirectory)) == 0;
}

bool HasPudExtension(const char* name) {
  static constexpr char kExtension[] = ".pud";
  constexpr std::size_t kLength = sizeof kExtension - 1;
  const std::size_t size = std::strlen(name);
  if (size < kLength) return false;
  for (std::size_t i = 0; i < kLength; ++i) {
    const auto c = static_cast<unsigned char>(name[size - kLength + i]);
    if (std::tolower(c) != kExtension[i]) return false;
  }
  return true;
}

bool SetPudName(PudEntry& entry, const char* name) {
  const std::size_t length = std::strlen(name);
  if (length > kPudNameLength) return false;
  std::memcpy(entry.name, name, length + 1);
  return true;
}

namespace {

constexpr int kDosEpochYear = 1980;
constexpr int kDosLastYear = 2107;

}  // namespace

std::uint16_t PackDosDate(const std::tm& local) {
  const int year = local.tm_year + 1900;
  if (year < kDosEpochYear) return 0;
  if (year > kDosLastYear) return 0xFF9F;  // 2107-12-31
  return static_cast<std::uint16_t>(((year - kDosEpochYear) << 9) | ((local.tm_mon + 1) << 5) |
                                    local.tm_mday);
}

std::uint16_t PackDosTime(const std::tm& local) {
  const int year = local.tm_year + 1900;
  if (year < kDosEpochYear) return 0;
  if (year > kDosLastYear) return 0xBF7D;  // 23:59:58
  return static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) |
                                    (local.tm_sec / 2));
}

void LatestPud::Offer(const PudEntry& entry) {
  if (!found_ || entry.date > best_.date || (entry.date == best_.date && entry.time > best_.time)) {
    best_ = entry;
    found_ = true;
  }
}
