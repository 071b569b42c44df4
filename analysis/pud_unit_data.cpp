#include "pud_unit_data.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "open_map_file.h"

namespace {

constexpr std::size_t kHeaderBytes = 8;  // tag, then the data's length

// Where the unit data stands in a file that does not walk: offsets that hold for a map whose
// sections before it stand in the usual order with the optional ERAX section (10 bytes) present;
// without it everything lies 10 bytes earlier.
constexpr std::uint64_t kEraxTagOffset = 108;
constexpr char kEraxTag[4] = {'E', 'R', 'A', 'X'};
constexpr std::uint64_t kUnitDataWithErax = 138;
constexpr std::uint64_t kUnitDataWithoutErax = 128;

constexpr unsigned char kNoBytes[1] = {};

bool HasTag(const unsigned char* header, const char (&tag)[5]) {
  return std::memcmp(header, tag, 4) == 0;
}

void Keep(SectionList& list, const PudSection& section) {
  if (list.count < kSectionsKept) {
    list.kept[list.count++] = section;
  } else {
    list.more = true;
  }
}

struct ArrayRead {
  std::uint64_t position;  // within the unit data
  void* destination;
  std::size_t bytes;
};

}  // namespace

// The page reads each map with a PudFile on its stack: only a file's needs the windows.
static_assert(sizeof(PudFile) < 1024);

PudFile::PudFile(const char* pudName, bool utf8Name) : PudFile(OpenMapFile(pudName, utf8Name)) {}

PudFile::PudFile(std::FILE* file) : file_(file) {
  if (file_ == nullptr) return;
  // Zeroed: both windows empty, at offset 0.
  windows_ = static_cast<Windows*>(std::calloc(1, sizeof(Windows)));
  if (windows_ != nullptr) {
    // The stream's own buffer would only copy the bytes once more.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    Window& start = windows_->start;
    start.size = std::fread(start.bytes, 1, sizeof start.bytes, file_);
    if (start.size < sizeof start.bytes) end_ = start.size;
  }
  // A stream that opened but cannot be read (a directory, a device error), or with no room for
  // its windows, is no map at all.
  if (windows_ == nullptr || std::ferror(file_) != 0) {
    std::fclose(file_);
    file_ = nullptr;
    return;
  }
  Walk();
}

// The end is known from the start. An empty map may come as a null pointer.
PudFile::PudFile(const unsigned char* bytes, std::size_t size)
    : memory_(bytes != nullptr ? bytes : kNoBytes), end_(size) {
  Walk();
}

PudFile::~PudFile() {
  if (file_ != nullptr) std::fclose(file_);
  std::free(windows_);
}

std::size_t PudFile::Read(const PudSection& section, std::uint64_t at, void* destination,
                          std::size_t count) {
  if (at >= section.length) return 0;
  return Copy(section.offset + at, static_cast<unsigned char*>(destination),
              static_cast<std::size_t>(std::min<std::uint64_t>(count, section.length - at)));
}

void PudFile::Walk() {
  unsigned char header[kHeaderBytes];
  if (Copy(0, header, sizeof header) < sizeof header || !HasTag(header, "TYPE")) {
    UseFixedOffsets();
    return;
  }
  std::uint64_t at = 0;
  for (;;) {
    const std::size_t got = Copy(at, header, sizeof header);
    if (got < sizeof header) {
      // No whole header here. Once unit data has been found the walk is done, whatever follows;
      // before, the file must end exactly here, or it is no list of sections.
      if (unitData_.count == 0 && (got != 0 || !EndsAt(at))) UseFixedOffsets();
      return;
    }
    const std::uint32_t length =
        static_cast<std::uint32_t>(header[4]) | static_cast<std::uint32_t>(header[5]) << 8 |
        static_cast<std::uint32_t>(header[6]) << 16 | static_cast<std::uint32_t>(header[7]) << 24;
    const PudSection section{at + sizeof header, length};
    if (HasTag(header, "UDTA")) Keep(unitData_, section);
    if (HasTag(header, "UGRD")) Keep(upgrades_, section);
    for (std::size_t i = 0; i < std::size(kFirstTags); ++i) {
      if (!firstFound_[i] && HasTag(header, kFirstTags[i])) {
        firsts_[i] = section;
        firstFound_[i] = true;
      }
    }
    at = section.offset + section.length;
  }
}

void PudFile::UseFixedOffsets() {
  // A file too short for the probe leaves it zero: no "ERAX".
  char probe[sizeof kEraxTag] = {};
  Copy(kEraxTagOffset, reinterpret_cast<unsigned char*>(probe), sizeof probe);
  const std::uint64_t offset =
      std::memcmp(probe, kEraxTag, sizeof probe) == 0 ? kUnitDataWithErax : kUnitDataWithoutErax;
  unitData_ = {};
  unitData_.count = 1;
  unitData_.kept[0] = {offset, UINT64_MAX - offset};
  upgrades_ = {};
  std::fill(std::begin(firstFound_), std::end(firstFound_), false);
}

// Called where no byte could be read: the file ends exactly there when the byte before it exists.
bool PudFile::EndsAt(std::uint64_t offset) {
  unsigned char last = 0;
  return offset > 0 && Copy(offset - 1, &last, 1) == 1;
}

std::size_t PudFile::Copy(std::uint64_t offset, unsigned char* destination, std::size_t count) {
  if (memory_ != nullptr) {
    if (offset >= end_) return 0;
    const auto part = static_cast<std::size_t>(std::min<std::uint64_t>(count, end_ - offset));
    std::memcpy(destination, memory_ + offset, part);
    return part;
  }
  const Window& start = windows_->start;
  const Window& fetched = windows_->fetched;
  const auto holds = [](const Window& window, std::uint64_t at) {
    return at >= window.offset && at - window.offset < window.size;
  };
  std::size_t copied = 0;
  while (copied < count && offset + copied < end_) {
    const std::uint64_t at = offset + copied;
    if (!holds(start, at) && !holds(fetched, at)) {
      Fetch(at);
      if (fetched.size == 0) break;
    }
    const Window& window = holds(start, at) ? start : fetched;
    const auto skip = static_cast<std::size_t>(at - window.offset);
    const std::size_t part = std::min(count - copied, window.size - skip);
    std::memcpy(destination + copied, window.bytes + skip, part);
    copied += part;
  }
  return copied;
}

void PudFile::Fetch(std::uint64_t offset) {
  Window& fetched = windows_->fetched;
  fetched.offset = offset;
  fetched.size = 0;
  if (offset <= LONG_MAX && std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0) {
    fetched.size = std::fread(fetched.bytes, 1, sizeof fetched.bytes, file_);
  }
  // A short read met the end: nothing lies at or beyond it.
  if (fetched.size < sizeof fetched.bytes) end_ = std::min(end_, offset + fetched.size);
}

ReadOutcome ReadPudUnitData(PudFile& file, const PudSection& section, PudUnitData& data) {
  // The low byte of the section's first 16-bit word; a section too short for it leaves it clear.
  unsigned char defaultDataFlag = 0;
  file.Read(section, 0, &defaultDataFlag, 1);
  if (defaultDataFlag != 0) return ReadOutcome::DefaultDataSet;

  data = PudUnitData{};
  // Hit points are read as raw bytes, low byte first, and assembled below.
  std::array<unsigned char, 2 * kUnitTypes> hitPointBytes{};
  const ArrayRead reads[] = {
      {2008, data.BuildTime.data(), data.BuildTime.size()},
      {3988, data.BasicAttack.data(), data.BasicAttack.size()},
      {4098, data.PiercingDamage.data(), data.PiercingDamage.size()},
      {2118, data.GoldCost.data(), data.GoldCost.size()},
      {2228, data.WoodCost.data(), data.WoodCost.size()},
      {2338, data.OilCost.data(), data.OilCost.size()},
      {1678, hitPointBytes.data(), hitPointBytes.size()},
  };
  for (const ArrayRead& read : reads) {
    file.Read(section, read.position, read.destination, read.bytes);
  }
  for (std::size_t i = 0; i < data.HitPoints.size(); ++i) {
    data.HitPoints[i] =
        static_cast<std::uint16_t>(hitPointBytes[2 * i] + 256u * hitPointBytes[2 * i + 1]);
  }
  return ReadOutcome::UnitDataRead;
}
