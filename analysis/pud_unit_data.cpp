#include "pud_unit_data.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The offsets below hold for a map whose sections before the unit data stand in the usual order
// with the optional ERAX section (10 bytes) present; without it everything lies 10 bytes earlier.
constexpr std::size_t kEraxTagOffset = 108;
constexpr char kEraxTag[4] = {'E', 'R', 'A', 'X'};
constexpr std::size_t kWithoutErax = 10;
constexpr std::size_t kDefaultDataFlagOffset = 138;

struct ArrayRead {
  std::size_t offset;
  void* destination;
  std::size_t bytes;
};

// Every byte the reader takes lies before this offset: piercing damage, the array furthest in,
// ends at 4345.
constexpr std::size_t kBytesUsed = 4346;

// The bytes the reader takes are fetched with one read; each seek-and-read of the steps then copies
// from them, storing what the file holds at that place and leaving the rest of its destination as
// it was.
class FileStart {
 public:
  explicit FileStart(std::FILE* file) {
    std::setvbuf(file, nullptr, _IONBF, 0);
    size_ = std::fread(bytes_, 1, sizeof bytes_, file);
  }

  void Read(std::size_t offset, void* destination, std::size_t count) const {
    if (offset >= size_) return;
    std::memcpy(destination, bytes_ + offset, std::min(count, size_ - offset));
  }

 private:
  unsigned char bytes_[kBytesUsed];
  std::size_t size_ = 0;
};

}  // namespace

ReadOutcome ReadPudUnitData(const char* pudName, PudUnitData& data) {
  std::FILE* file = std::fopen(pudName, "rb");
  if (file == nullptr) return ReadOutcome::OpenFailed;
  const FileStart start(file);
  // A stream that opened but cannot be read (a directory, a device error) is no map at all.
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return ReadOutcome::OpenFailed;

  // A file too short for the probe or the flag leaves these zero: no "ERAX", flag clear.
  char probe[4] = {};
  unsigned char defaultDataFlag = 0;

  start.Read(kEraxTagOffset, probe, sizeof probe);
  const std::size_t correction = std::memcmp(probe, kEraxTag, sizeof probe) == 0 ? 0 : kWithoutErax;

  start.Read(kDefaultDataFlagOffset - correction, &defaultDataFlag, 1);
  if (defaultDataFlag != 0) return ReadOutcome::DefaultDataSet;

  data = PudUnitData{};
  // Hit points are read as raw bytes, low byte first, and assembled below.
  std::array<unsigned char, 2 * kUnitTypes> hitPointBytes{};
  const ArrayRead reads[] = {
      {2146, data.BuildTime.data(), data.BuildTime.size()},
      {4126, data.BasicAttack.data(), data.BasicAttack.size()},
      {4236, data.PiercingDamage.data(), data.PiercingDamage.size()},
      {2256, data.GoldCost.data(), data.GoldCost.size()},
      {2366, data.WoodCost.data(), data.WoodCost.size()},
      {2476, data.OilCost.data(), data.OilCost.size()},
      {1816, hitPointBytes.data(), hitPointBytes.size()},
  };
  for (const ArrayRead& read : reads) {
    start.Read(read.offset - correction, read.destination, read.bytes);
  }
  for (std::size_t i = 0; i < data.HitPoints.size(); ++i) {
    data.HitPoints[i] =
        static_cast<std::uint16_t>(hitPointBytes[2 * i] + 256u * hitPointBytes[2 * i + 1]);
  }
  return ReadOutcome::UnitDataRead;
}
