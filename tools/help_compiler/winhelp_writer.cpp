#include "winhelp_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU8(Bytes& out, unsigned value) { out.push_back(static_cast<std::uint8_t>(value)); }

void PutU16(Bytes& out, unsigned value) {
  PutU8(out, value & 0xFF);
  PutU8(out, value >> 8 & 0xFF);
}

void PutU32(Bytes& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

void PutI32(Bytes& out, std::int32_t value) { PutU32(out, static_cast<std::uint32_t>(value)); }

void PutText(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

void PutString(Bytes& out, std::string_view text) {
  PutText(out, text);
  PutU8(out, 0);
}

void SetU32(Bytes& out, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::size_t kBlockSize = 4096;
constexpr std::size_t kBlockHeader = 12;
constexpr std::size_t kBlockData = kBlockSize - kBlockHeader;
constexpr std::size_t kRecordHeader = 21;
constexpr std::size_t kTopicHeaderData = 28;

// Font descriptors in |FONT.
enum Font : unsigned { kBody, kHeading, kBold, kExample };

// A signed paragraph spacing (half-points) in the one-byte form of WinHelp's compressed shorts.
constexpr std::uint8_t Spacing(int value) { return static_cast<std::uint8_t>((value + 0x40) * 2); }

// ---- B+ trees ----

struct TreeEntry {
  Bytes key;    // what an index page holds for the entry
  Bytes entry;  // the whole leaf entry
};

// Splits n items into pages of `room` bytes, each taking items while they fit. cost(i, first) is
// the size of item i, first telling whether it opens its page. Returns the first item of each
// page; a tree without entries still has one leaf.
template <typename Cost>
std::vector<std::size_t> PageStarts(std::size_t n, std::size_t room, Cost cost) {
  std::vector<std::size_t> starts{0};
  std::size_t used = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (i > starts.back() && used + cost(i, false) > room) {
      starts.push_back(i);
      used = cost(i, true);
    } else {
      used += cost(i, i == starts.back());
    }
  }
  return starts;
}

Bytes BuildTree(const std::vector<TreeEntry>& entries, unsigned pageSize, unsigned flags,
                std::string_view structure) {
  struct Child {
    Bytes key;
    unsigned page;
  };
  for (const TreeEntry& entry : entries) {
    if (entry.entry.size() > pageSize - 8)
      throw std::length_error("entry too long for a tree page");
  }
  std::vector<Bytes> pages;
  std::vector<Child> children;
  const auto leafStarts = PageStarts(entries.size(), pageSize - 8,
                                     [&](std::size_t i, bool) { return entries[i].entry.size(); });
  for (std::size_t p = 0; p < leafStarts.size(); ++p) {
    const std::size_t end = p + 1 < leafStarts.size() ? leafStarts[p + 1] : entries.size();
    Bytes body;
    for (std::size_t i = leafStarts[p]; i < end; ++i) {
      body.insert(body.end(), entries[i].entry.begin(), entries[i].entry.end());
    }
    Bytes page;
    PutU16(page, static_cast<unsigned>(pageSize - 8 - body.size()));
    PutU16(page, static_cast<unsigned>(end - leafStarts[p]));
    PutU16(page, p == 0 ? 0xFFFF : static_cast<unsigned>(p - 1));
    PutU16(page, p + 1 == leafStarts.size() ? 0xFFFF : static_cast<unsigned>(p + 1));
    page.insert(page.end(), body.begin(), body.end());
    page.resize(pageSize);
    children.push_back({end > leafStarts[p] ? entries[leafStarts[p]].key : Bytes{},
                        static_cast<unsigned>(pages.size())});
    pages.push_back(std::move(page));
  }
  unsigned levels = 1;
  while (children.size() > 1) {
    const auto starts = PageStarts(children.size(), pageSize - 6, [&](std::size_t i, bool first) {
      return first ? 0 : children[i].key.size() + 2;
    });
    std::vector<Child> parents;
    for (std::size_t p = 0; p < starts.size(); ++p) {
      const std::size_t end = p + 1 < starts.size() ? starts[p + 1] : children.size();
      Bytes body;
      for (std::size_t i = starts[p] + 1; i < end; ++i) {
        body.insert(body.end(), children[i].key.begin(), children[i].key.end());
        PutU16(body, children[i].page);
      }
      Bytes page;
      PutU16(page, static_cast<unsigned>(pageSize - 6 - body.size()));
      PutU16(page, static_cast<unsigned>(end - starts[p] - 1));
      PutU16(page, children[starts[p]].page);
      page.insert(page.end(), body.begin(), body.end());
      page.resize(pageSize);
      parents.push_back({children[starts[p]].key, static_cast<unsigned>(pages.size())});
      pages.push_back(std::move(page));
    }
    children = std::move(parents);
    ++levels;
  }
  Bytes out;
  PutU16(out, 0x293B);
  PutU16(out, flags);
  PutU16(out, pageSize);
  Bytes name(16, 0);
  std::copy(structure.begin(), structure.end(), name.begin());
  out.insert(out.end(), name.begin(), name.end());
  PutU16(out, 0);
  PutU16(out, static_cast<unsigned>(pages.size() - levels));
  PutU16(out, children[0].page);
  PutU16(out, 0xFFFF);
  PutU16(out, static_cast<unsigned>(pages.size()));
  PutU16(out, levels);
  PutU32(out, static_cast<std::uint32_t>(entries.size()));
  for (const Bytes& page : pages) out.insert(out.end(), page.begin(), page.end());
  return out;
}

// ---- |TOPIC ----

struct Record {
  std::uint8_t type;  // 0x02 topic header, 0x20 text
  Bytes data1;
  std::string data2;
  std::uint32_t pos = 0;     // TOPICPOS
  std::uint32_t offset = 0;  // TOPICOFFSET
  std::size_t block = 0;

  std::size_t HeadSize() const { return kRecordHeader + data1.size(); }
  std::size_t Size() const { return HeadSize() + data2.size(); }
};

// One paragraph as a text record. Text and formatting commands interleave: every command,
// the closing 0xFF included, follows exactly one NUL-terminated string.
class ParagraphEncoder {
 public:
  ParagraphEncoder(unsigned bits, std::uint8_t spacing) : data_{0x00, 0x80, 0, 0} {
    PutU16(data_, bits);
    PutU8(data_, spacing);
  }

  void Text(std::string_view text) {
    for (char c : text) {
      if (c == '\n') {
        Command({0x81});
      } else {
        pending_ += c;
      }
    }
  }

  void Command(std::initializer_list<std::uint8_t> bytes) {
    strings_ += pending_;
    strings_ += '\0';
    pending_.clear();
    data_.insert(data_.end(), bytes);
  }

  void SetFont(unsigned font) {
    if (font == font_) return;
    font_ = font;
    Command({0x80, static_cast<std::uint8_t>(font), 0});
  }

  void Jump(std::int32_t hash, std::string_view text) {
    const auto h = static_cast<std::uint32_t>(hash);
    Command({0xE3, static_cast<std::uint8_t>(h), static_cast<std::uint8_t>(h >> 8),
             static_cast<std::uint8_t>(h >> 16), static_cast<std::uint8_t>(h >> 24)});
    Text(text);
    Command({0x89});
  }

  Record Finish() {
    Command({0x82});
    Command({0xFF});
    // The record's header and LinkData1 must fit one topic block; that also keeps TopicSize
    // in its two-byte form.
    if (kRecordHeader + 2 + 2 + data_.size() > kBlockData || strings_.size() >= 0x8000) {
      throw std::length_error("paragraph too long for a help file");
    }
    Record record{0x20, {}, std::move(strings_)};
    PutU16(record.data1, static_cast<unsigned>((data_.size() + 0x4000) * 2));
    const auto length = static_cast<unsigned>(record.data2.size());
    if (length < 0x80) {
      PutU8(record.data1, length * 2);
    } else {
      PutU16(record.data1, length * 2 + 1);
    }
    record.data1.insert(record.data1.end(), data_.begin(), data_.end());
    return record;
  }

 private:
  Bytes data_;  // LinkData1 after TopicSize and TopicLength: paragraph settings, commands
  std::string strings_;
  std::string pending_;
  unsigned font_ = 0xFFFF;
};

Record HeadingRecord(const std::string& title) {
  ParagraphEncoder encoder(0x0004, Spacing(6));  // space below
  encoder.SetFont(kHeading);
  encoder.Text(title);
  return encoder.Finish();
}

Record BodyRecord(const Paragraph& paragraph) {
  ParagraphEncoder encoder(0x0002, Spacing(12));  // space above
  encoder.SetFont(paragraph.example ? kExample : kBody);
  for (const TextRun& run : paragraph.runs) {
    encoder.SetFont(paragraph.example ? kExample : run.bold ? kBold : kBody);
    if (run.jump.empty()) {
      encoder.Text(run.text);
    } else {
      encoder.Jump(ContextHash(run.jump), run.text);
    }
  }
  return encoder.Finish();
}

Record TopicHeaderRecord(std::string title) {
  return {0x02, Bytes(kTopicHeaderData, 0), std::move(title)};
}

// Places the records in blocks: a record's header and LinkData1 never straddle two blocks,
// its LinkData2 may. TOPICOFFSETs count the text of the records that start in the same block.
std::size_t Place(std::vector<Record>& records) {
  std::size_t block = 0;
  std::size_t at = kBlockHeader;
  std::uint32_t count = 0;
  for (Record& record : records) {
    if (kBlockSize - at < record.HeadSize()) {
      ++block;
      at = kBlockHeader;
      count = 0;
    }
    record.block = block;
    record.pos = static_cast<std::uint32_t>(block * 0x4000 + at);
    record.offset = static_cast<std::uint32_t>(block * 0x8000 + count);
    at += record.Size();
    if (record.type == 0x20) count += static_cast<std::uint32_t>(record.data2.size());
    while (at > kBlockSize) {
      ++block;
      at -= kBlockData;
      count = 0;
    }
  }
  return block + 1;
}

// |TOPIC, and the TOPICOFFSET of each topic.
Bytes BuildTopicFile(const HelpDocument& document, std::vector<std::uint32_t>& topicOffsets) {
  std::vector<Record> records;
  std::vector<std::size_t> headers;  // index of each topic's header record
  for (const Topic& topic : document.topics) {
    headers.push_back(records.size());
    records.push_back(TopicHeaderRecord(topic.title));
    records.push_back(HeadingRecord(topic.title));
    for (const Paragraph& paragraph : topic.paragraphs) records.push_back(BodyRecord(paragraph));
  }
  // An empty topic closes the file, so that readers stopping at the last record still show the
  // last paragraph.
  headers.push_back(records.size());
  records.push_back(TopicHeaderRecord(""));
  const std::size_t blocks = Place(records);

  for (std::size_t t = 0; t < headers.size(); ++t) {
    const std::size_t first = headers[t];
    const std::size_t end = t + 1 < headers.size() ? headers[t + 1] : records.size();
    std::uint32_t size = 0;
    for (std::size_t i = first; i < end; ++i) size += static_cast<std::uint32_t>(records[i].Size());
    Bytes& data = records[first].data1;
    SetU32(data, 0, size);
    SetU32(data, 4, kNone);  // no browse sequence
    SetU32(data, 8, kNone);
    SetU32(data, 12, static_cast<std::uint32_t>(t));
    SetU32(data, 16, kNone);  // no non-scrolling region
    SetU32(data, 20, first + 1 < end ? records[first + 1].pos : kNone);
    SetU32(data, 24, t + 1 < headers.size() ? records[headers[t + 1]].pos : kNone);
  }
  for (std::size_t t = 0; t < document.topics.size(); ++t) {
    topicOffsets.push_back(records[headers[t]].offset);
  }

  Bytes out(blocks * kBlockSize, 0);
  for (std::size_t b = 0; b < blocks; ++b) {
    std::uint32_t lastLink = kNone, firstLink = kNone, lastHeader = b == 0 ? 0 : kNone;
    for (const Record& record : records) {
      if (record.block < b) {
        lastLink = record.pos;
        if (record.type == 0x02) lastHeader = record.pos;
      } else if (record.block == b && firstLink == kNone) {
        firstLink = record.pos;
      }
    }
    SetU32(out, b * kBlockSize, lastLink);
    SetU32(out, b * kBlockSize + 4, firstLink);
    SetU32(out, b * kBlockSize + 8, lastHeader);
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& record = records[i];
    Bytes bytes;
    PutU32(bytes, static_cast<std::uint32_t>(record.Size()));
    PutU32(bytes, static_cast<std::uint32_t>(record.data2.size()));
    PutU32(bytes, i == 0 ? kNone : records[i - 1].pos);
    PutU32(bytes, i + 1 == records.size() ? kNone : records[i + 1].pos);
    PutU32(bytes, static_cast<std::uint32_t>(record.HeadSize()));
    PutU8(bytes, record.type);
    bytes.insert(bytes.end(), record.data1.begin(), record.data1.end());
    PutText(bytes, record.data2);
    // Position in the block data, which skips the block headers.
    std::size_t data = record.block * kBlockData + (record.pos & 0x3FFF) - kBlockHeader;
    for (std::uint8_t byte : bytes) {
      out[data / kBlockData * kBlockSize + kBlockHeader + data % kBlockData] = byte;
      ++data;
    }
  }
  return out;
}

// ---- the other internal files ----

void PutSystemRecord(Bytes& out, unsigned type, const Bytes& data) {
  PutU16(out, type);
  PutU16(out, static_cast<unsigned>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
}

Bytes BuildSystemFile(const HelpDocument& document, std::uint32_t buildTime,
                      std::uint32_t contents) {
  Bytes out;
  PutU16(out, 0x036C);
  PutU16(out, 33);  // minor version: WinHelp 4
  PutU16(out, 1);
  PutU32(out, buildTime);
  PutU16(out, 0);  // no compression, 4 KiB topic blocks
  Bytes data;
  PutString(data, document.title);
  PutSystemRecord(out, 1, data);
  if (!document.copyright.empty()) {
    data.clear();
    PutString(data, document.copyright);
    PutSystemRecord(out, 2, data);
  }
  data.clear();
  PutU32(data, contents);
  PutSystemRecord(out, 3, data);
  data.assign(8, 0);
  PutU16(data, 0x0409);  // US English
  PutSystemRecord(out, 9, data);
  PutSystemRecord(out, 11, Bytes(3, 0));  // ANSI character set
  return out;
}

Bytes BuildFontFile() {
  constexpr std::array<std::string_view, 2> kFaces = {"Arial", "Courier New"};
  struct Descriptor {
    unsigned attributes, halfPoints, family, face;
  };
  constexpr Descriptor kFonts[] = {
      {0, 20, 3, 0},  // kBody: Arial 10 pt
      {1, 28, 3, 0},  // kHeading: Arial 14 pt bold
      {1, 20, 3, 0},  // kBold: Arial 10 pt bold
      {0, 20, 1, 1},  // kExample: Courier New 10 pt
  };
  Bytes out;
  PutU16(out, static_cast<unsigned>(kFaces.size()));
  PutU16(out, static_cast<unsigned>(std::size(kFonts)));
  PutU16(out, 8);
  PutU16(out, static_cast<unsigned>(8 + 32 * kFaces.size()));
  for (std::string_view face : kFaces) {
    Bytes name(32, 0);
    std::copy(face.begin(), face.end(), name.begin());
    out.insert(out.end(), name.begin(), name.end());
  }
  for (const Descriptor& font : kFonts) {
    PutU8(out, font.attributes);
    PutU8(out, font.halfPoints);
    PutU8(out, font.family);
    PutU16(out, font.face);
    out.insert(out.end(), 6, 0);  // black text; the background colour is not used
  }
  return out;
}

Bytes U32Key(std::uint32_t value) {
  Bytes key;
  PutU32(key, value);
  return key;
}

}  // namespace

unsigned ContextCharCode(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned>(c - 'A') + 17;
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a') + 17;
  if (c >= '1' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c == '0') return 10;
  if (c == '.') return 12;
  if (c == '_') return 13;
  return 0;
}

std::int32_t ContextHash(std::string_view id) {
  std::uint32_t hash = 0;
  for (char c : id) hash = hash * 43 + ContextCharCode(c);
  return static_cast<std::int32_t>(hash);
}

std::vector<std::uint8_t> BuildHelpFile(const HelpDocument& document, std::uint32_t buildTime) {
  std::vector<std::uint32_t> offsets;
  const Bytes topic = BuildTopicFile(document, offsets);

  std::vector<std::pair<std::int32_t, std::uint32_t>> contexts;
  std::vector<TreeEntry> titles;
  for (std::size_t t = 0; t < document.topics.size(); ++t) {
    contexts.emplace_back(ContextHash(document.topics[t].id), offsets[t]);
    TreeEntry title{U32Key(offsets[t]), U32Key(offsets[t])};
    PutString(title.entry, document.topics[t].title);
    titles.push_back(std::move(title));
  }
  std::sort(contexts.begin(), contexts.end());  // by signed hash, as WinHelp searches
  std::vector<TreeEntry> contextEntries;
  for (const auto& [hash, offset] : contexts) {
    TreeEntry entry{{}, {}};
    PutI32(entry.key, hash);
    entry.entry = entry.key;
    PutU32(entry.entry, offset);
    contextEntries.push_back(std::move(entry));
  }

  // By name in byte order, which is the order of the directory.
  const std::pair<const char*, Bytes> files[] = {
      {"|CONTEXT", BuildTree(contextEntries, 2048, 0x0002, "L4")},
      {"|CTXOMAP", Bytes(2, 0)},  // no map numbers
      {"|FONT", BuildFontFile()},
      {"|SYSTEM", BuildSystemFile(document, buildTime, offsets[0])},
      {"|TOPIC", topic},
      {"|TTLBTREE", BuildTree(titles, 2048, 0x0002, "Lz")},
  };
  Bytes out(16, 0);
  std::vector<TreeEntry> directory;
  for (const auto& [name, body] : files) {
    TreeEntry entry{{}, {}};
    PutString(entry.key, name);
    entry.entry = entry.key;
    PutU32(entry.entry, static_cast<std::uint32_t>(out.size()));
    directory.push_back(std::move(entry));
    PutU32(out, static_cast<std::uint32_t>(body.size() + 9));
    PutU32(out, static_cast<std::uint32_t>(body.size()));
    PutU8(out, 0);
    out.insert(out.end(), body.begin(), body.end());
  }
  const Bytes tree = BuildTree(directory, 1024, 0x0402, "z4");
  const auto directoryStart = static_cast<std::uint32_t>(out.size());
  PutU32(out, static_cast<std::uint32_t>(tree.size() + 9));
  PutU32(out, static_cast<std::uint32_t>(tree.size()));
  PutU8(out, 4);
  out.insert(out.end(), tree.begin(), tree.end());
  SetU32(out, 0, 0x00035F3F);
  SetU32(out, 4, directoryStart);
  SetU32(out, 8, kNone);
  SetU32(out, 12, static_cast<std::uint32_t>(out.size()));
  return out;
}
