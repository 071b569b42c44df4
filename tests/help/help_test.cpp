// The help compiler's output, read back by a reader of its own that follows WinHelp's layout
// rules, and the source faults the compiler must reject.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "help_source.h"
#include "winhelp_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

unsigned U16(const Bytes& b, std::size_t at) { return b.at(at) | unsigned{b.at(at + 1)} << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::string Str(const Bytes& b, std::size_t at) {
  const auto end = std::find(b.begin() + static_cast<long>(std::min(at, b.size())), b.end(), 0);
  if (end == b.end()) throw std::out_of_range("no string at " + std::to_string(at));
  return std::string(b.begin() + static_cast<long>(at), end);
}
Bytes Slice(const Bytes& b, std::size_t at, std::size_t size) {
  if (at > b.size() || size > b.size() - at) throw std::out_of_range("past the end");
  return Bytes(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + size));
}

// One field of a B+ tree entry: 'z' a NUL-terminated string, 'L' or '4' four bytes.
std::size_t FieldSize(char kind, const Bytes& b, std::size_t at) {
  return kind == 'z' ? Str(b, at).size() + 1 : 4;
}

// A B+ tree's leaf entries in order. Checks the header, that each index key is the first key
// below it, the unused byte counts and the leaf chain.
std::vector<Bytes> TreeEntries(const Bytes& tree, unsigned pageSize, unsigned flags,
                               const std::string& structure) {
  EXPECT_EQ(U16(tree, 0), 0x293Bu);
  EXPECT_EQ(U16(tree, 2), flags);
  EXPECT_EQ(U16(tree, 4), pageSize);
  EXPECT_EQ(Str(tree, 6), structure);
  const unsigned pages = U16(tree, 30), levels = U16(tree, 32);
  EXPECT_EQ(tree.size(), 38 + std::size_t{pages} * pageSize);
  EXPECT_EQ(U16(tree, 24), pages - levels);
  std::vector<unsigned> leaves;
  std::vector<Bytes> entries;
  unsigned visited = 0;
  const auto visit = [&](const auto& self, unsigned p, unsigned depth) -> Bytes {
    ++visited;
    const std::size_t at = 38 + std::size_t{p} * pageSize;
    std::size_t used = depth == levels ? 8 : 6;
    Bytes first;
    if (depth == levels) {
      leaves.push_back(p);
      for (unsigned i = 0; i < U16(tree, at + 2); ++i) {
        std::size_t size = 0;
        for (char kind : structure) size += FieldSize(kind, tree, at + used + size);
        entries.push_back(Slice(tree, at + used, size));
        if (i == 0) first = Slice(tree, at + used, FieldSize(structure[0], tree, at + used));
        used += size;
      }
    } else {
      first = self(self, U16(tree, at + 4), depth + 1);
      for (unsigned i = 0; i < U16(tree, at + 2); ++i) {
        const std::size_t key = FieldSize(structure[0], tree, at + used);
        EXPECT_EQ(Slice(tree, at + used, key), self(self, U16(tree, at + used + key), depth + 1))
            << "index key " << i << " of page " << p;
        used += key + 2;
      }
    }
    EXPECT_EQ(U16(tree, at), pageSize - used) << "unused bytes of page " << p;
    return first;
  };
  visit(visit, U16(tree, 26), 1);
  EXPECT_EQ(visited, pages);
  for (std::size_t i = 0; i < leaves.size(); ++i) {
    const std::size_t at = 38 + std::size_t{leaves[i]} * pageSize;
    EXPECT_EQ(U16(tree, at + 4), i == 0 ? 0xFFFF : leaves[i - 1]);
    EXPECT_EQ(U16(tree, at + 6), i + 1 == leaves.size() ? 0xFFFF : leaves[i + 1]);
  }
  EXPECT_EQ(U32(tree, 34), entries.size());
  return entries;
}

struct Record {
  std::uint32_t pos;
  std::uint32_t offset;  // TOPICOFFSET, counted here
  std::size_t block;
  unsigned type;
  Bytes data1;
  std::string data2;
  bool straddles;  // LinkData2 runs on into the next block
  // Of a text record:
  std::string text;  // strings joined, '\n' for a line break
  std::vector<unsigned> fonts;
  std::vector<std::int32_t> jumps;
};

// Decodes a text record's LinkData1 and LinkData2 together.
void DecodeText(Record& r) {
  const Bytes& d = r.data1;
  const bool longSize = d.at(0) & 1;
  const std::size_t topicSize =
      longSize ? (U32(d, 0) >> 1) - 0x40000000 : (U16(d, 0) >> 1) - 0x4000;
  std::size_t at = longSize ? 4 : 2;
  const std::size_t length = d.at(at) & 1 ? U16(d, at) >> 1 : d.at(at) >> 1u;
  at += d.at(at) & 1 ? 2u : 1u;
  EXPECT_EQ(topicSize, d.size() - at);
  EXPECT_EQ(length, r.data2.size());
  const unsigned bits = U16(d, at + 4);
  EXPECT_EQ(bits & ~0x0006u, 0u);
  at += 6u + (bits & 2 ? 1u : 0u) + (bits & 4 ? 1u : 0u);
  std::size_t string = 0;
  for (unsigned command = 0; command != 0xFF;) {
    const std::size_t end = r.data2.find('\0', string);
    if (end == std::string::npos || at >= d.size()) {
      ADD_FAILURE() << "commands and strings do not pair up";
      return;
    }
    r.text += r.data2.substr(string, end - string);
    string = end + 1;
    command = d[at++];
    if (command == 0x80) {
      r.fonts.push_back(U16(d, at));
      at += 2;
    } else if (command == 0xE3) {
      r.jumps.push_back(static_cast<std::int32_t>(U32(d, at)));
      at += 4;
    } else if (command == 0x81) {
      r.text += '\n';
    } else if (command != 0x82 && command != 0x89 && command != 0xFF) {
      ADD_FAILURE() << "command " << command;
      return;
    }
  }
  EXPECT_EQ(at, d.size());
  EXPECT_EQ(string, r.data2.size());
}

// The records of |TOPIC, walked through their Next pointers.
std::vector<Record> TopicRecords(const Bytes& topic) {
  EXPECT_EQ(topic.size() % 4096, 0u);
  std::vector<Record> records;
  std::size_t countBlock = 0;
  std::uint32_t count = 0;
  for (std::uint32_t pos = 12, prev = kNone; pos != kNone;) {
    const std::size_t at = pos / 0x4000 * 4096 + pos % 0x4000;
    const std::uint32_t data2 = U32(topic, at + 4), data1 = U32(topic, at + 16);
    EXPECT_GE(pos % 0x4000, 12u);
    EXPECT_LE(pos % 0x4000 + data1, 4096u) << "header and LinkData1 cross a block at " << pos;
    EXPECT_EQ(U32(topic, at), data1 + data2);
    EXPECT_EQ(U32(topic, at + 8), prev);
    Record r{
        pos, 0, pos / 0x4000, topic.at(at + 20), Slice(topic, at + 21, data1 - 21), "", false, "",
        {},  {}};
    for (std::size_t i = at + data1; r.data2.size() < data2; ++i) {
      if (i % 4096 >= 12) r.data2 += static_cast<char>(topic.at(i));
      r.straddles = r.straddles || i / 4096 != at / 4096;
    }
    if (r.block != countBlock) count = 0;
    countBlock = r.block;
    r.offset = static_cast<std::uint32_t>(r.block * 0x8000 + count);
    if (r.type == 0x20) {
      DecodeText(r);
      count += data2;
    }
    prev = pos;
    pos = U32(topic, at + 12);
    records.push_back(std::move(r));
    if (pos <= prev) break;
  }
  return records;
}

struct HelpFile {
  std::map<std::string, Bytes> files;
  std::vector<Record> records;
  std::vector<std::uint32_t> topicOffsets;
};

// Reads a whole help file, checking everything that does not depend on the document but
// the topics' titles and IDs.
HelpFile ReadHelpFile(const Bytes& file, const HelpDocument& document) {
  HelpFile help;
  EXPECT_EQ(U32(file, 0), 0x00035F3Fu);
  EXPECT_EQ(U32(file, 8), kNone);
  EXPECT_EQ(U32(file, 12), file.size());
  const auto body = [&](std::uint32_t at, unsigned flags) {
    EXPECT_GE(U32(file, at), U32(file, at + 4) + 9);
    EXPECT_LE(at + U32(file, at), file.size());
    EXPECT_EQ(file.at(at + 8), flags);
    return Slice(file, at + 9, U32(file, at + 4));
  };
  std::string last;
  for (const Bytes& entry : TreeEntries(body(U32(file, 4), 4), 1024, 0x0402, "z4")) {
    const std::string name = Str(entry, 0);
    EXPECT_LT(std::strcmp(last.c_str(), name.c_str()), 0) << name;
    help.files[last = name] = body(U32(entry, name.size() + 1), 0);
  }
  EXPECT_EQ(help.files.size(), 6u);
  help.records = TopicRecords(help.files["|TOPIC"]);
  const auto& records = help.records;

  std::vector<std::size_t> headers;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].type == 2) headers.push_back(i);
  }
  EXPECT_EQ(headers.size(), document.topics.size() + 1);
  for (std::size_t t = 0; t < headers.size(); ++t) {
    const Record& r = records[headers[t]];
    const std::size_t next = t + 1 < headers.size() ? headers[t + 1] : records.size();
    EXPECT_EQ(r.data1.size(), 28u);
    EXPECT_EQ(U32(r.data1, 12), t);
    EXPECT_EQ(U32(r.data1, 16), kNone);
    EXPECT_EQ(U32(r.data1, 20), headers[t] + 1 < next ? records[headers[t] + 1].pos : kNone);
    EXPECT_EQ(U32(r.data1, 24), next < records.size() ? records[next].pos : kNone);
    if (t == document.topics.size()) {
      EXPECT_EQ(headers[t] + 1, records.size()) << "the empty topic ends the file";
      EXPECT_EQ(r.data2, "");
    } else {
      EXPECT_EQ(r.data2, document.topics[t].title);
      EXPECT_EQ(records.at(headers[t] + 1).text, document.topics[t].title) << "heading";
      help.topicOffsets.push_back(r.offset);
    }
  }
  for (std::size_t b = 0; b < help.files["|TOPIC"].size() / 4096; ++b) {
    std::uint32_t lastLink = kNone, firstLink = kNone, lastHeader = b == 0 ? 0 : kNone;
    for (const Record& r : records) {
      if (r.block < b) lastLink = r.pos;
      if (r.block < b && r.type == 2) lastHeader = r.pos;
      if (r.block == b && firstLink == kNone) firstLink = r.pos;
    }
    EXPECT_EQ(U32(help.files["|TOPIC"], b * 4096), lastLink) << "block " << b;
    EXPECT_EQ(U32(help.files["|TOPIC"], b * 4096 + 4), firstLink) << "block " << b;
    EXPECT_EQ(U32(help.files["|TOPIC"], b * 4096 + 8), lastHeader) << "block " << b;
  }

  std::map<std::int32_t, std::uint32_t> contexts;
  std::int32_t lastHash = INT32_MIN;
  for (const Bytes& entry : TreeEntries(help.files["|CONTEXT"], 2048, 2, "L4")) {
    const auto hash = static_cast<std::int32_t>(U32(entry, 0));
    EXPECT_TRUE(contexts.empty() || hash > lastHash) << "|CONTEXT out of order at " << hash;
    contexts[lastHash = hash] = U32(entry, 4);
  }
  std::map<std::int32_t, std::uint32_t> expected;
  for (std::size_t t = 0; t < document.topics.size(); ++t) {
    expected[ContextHash(document.topics[t].id)] = help.topicOffsets.at(t);
  }
  EXPECT_EQ(contexts, expected);
  std::vector<std::pair<std::uint32_t, std::string>> titles, topicTitles;
  for (const Bytes& entry : TreeEntries(help.files["|TTLBTREE"], 2048, 2, "Lz")) {
    titles.emplace_back(U32(entry, 0), Str(entry, 4));
  }
  for (std::size_t t = 0; t < document.topics.size(); ++t) {
    topicTitles.emplace_back(help.topicOffsets[t], document.topics[t].title);
  }
  EXPECT_EQ(titles, topicTitles);

  const Bytes& font = help.files["|FONT"];
  for (const Record& r : records) {
    for (std::int32_t hash : r.jumps) EXPECT_EQ(contexts.count(hash), 1u) << hash;
    for (unsigned f : r.fonts) EXPECT_LT(f, U16(font, 2));
  }
  EXPECT_EQ(help.files["|CTXOMAP"], Bytes(2, 0));

  const Bytes& system = help.files["|SYSTEM"];
  EXPECT_EQ(Slice(system, 0, 6), (Bytes{0x6C, 0x03, 33, 0, 1, 0}));
  EXPECT_EQ(U16(system, 10), 0u);
  std::map<unsigned, Bytes> systemRecords;
  for (std::size_t at = 12; at + 4 <= system.size(); at += 4 + U16(system, at + 2)) {
    systemRecords[U16(system, at)] = Slice(system, at + 4, U16(system, at + 2));
  }
  EXPECT_EQ(Str(systemRecords[1], 0), document.title);
  EXPECT_EQ(systemRecords.count(2) ? Str(systemRecords[2], 0) : "", document.copyright);
  EXPECT_EQ(systemRecords[3].size(), 4u);
  EXPECT_EQ(U32(systemRecords[3], 0), help.topicOffsets.at(0));
  return help;
}

Bytes Compile(const std::string& source, HelpDocument& document) {
  document = ParseHelpSource(source);
  return BuildHelpFile(document, 1700000000);
}

TEST(HelpFile, SmallDocument) {
  HelpDocument document;
  const Bytes file = Compile(
      "\xEF\xBB\xBFtitle: Small\r\ncopyright: \xC2\xA9 us\r\n= contents | Contents\n"
      "See [[two|the **second**]] and [[Three.3|the third]] topic.\n\n"
      "= two | Second\n**Bold** text.\n\n> an  example\n>\n> two lines\n\n"
      "= Three.3 | Third\n[[contents|Back]]\n",
      document);
  const HelpFile help = ReadHelpFile(file, document);
  ASSERT_EQ(help.records.size(), 11u);
  EXPECT_EQ(help.records[2].text, "See the **second** and the third topic.");
  EXPECT_EQ(help.records[2].jumps,
            (std::vector<std::int32_t>{ContextHash("two"), ContextHash("Three.3")}));
  EXPECT_EQ(help.records[5].text, "Bold text.");
  EXPECT_EQ(help.records[5].fonts, (std::vector<unsigned>{0, 2, 0}));
  EXPECT_EQ(help.records[6].text, "an  example\n\ntwo lines");
  EXPECT_EQ(help.files.at("|TOPIC").size(), 4096u);
}

TEST(HelpFile, LongTopicSpansSeveralBlocks) {
  std::string source = "title: Long\n= contents | Contents\n";
  std::vector<std::string> texts;
  for (unsigned p = 0; p < 40; ++p) {
    texts.push_back("Paragraph " + std::to_string(p) + std::string(300 + 37 * p % 200, 'x'));
    source += "[[end|" + texts.back() + "]]\n\n";
  }
  source += "= end | End\n";
  HelpDocument document;
  const HelpFile help = ReadHelpFile(Compile(source, document), document);
  EXPECT_GE(help.files.at("|TOPIC").size(), 4 * 4096u);
  EXPECT_GT(std::count_if(help.records.begin(), help.records.end(),
                          [](const Record& r) { return r.straddles; }),
            1);
  for (std::size_t p = 0; p < texts.size(); ++p) EXPECT_EQ(help.records.at(p + 2).text, texts[p]);
  EXPECT_GT(help.topicOffsets[1] / 0x8000, 3u) << "the second topic starts in a later block";
}

TEST(HelpFile, ManyTopicsMakeTwoLevelTrees) {
  std::string source = "title: Many\n";
  for (int t = 0; t < 300; ++t) {
    source += "= topic" + std::to_string(t) + " | The topic numbered " + std::to_string(t) +
              "\n[[topic" + std::to_string((t * 7) % 300) + "|Onwards]]\n";
  }
  HelpDocument document;
  const HelpFile help = ReadHelpFile(Compile(source, document), document);
  EXPECT_EQ(U16(help.files.at("|CONTEXT"), 32), 2u);
  EXPECT_EQ(U16(help.files.at("|TTLBTREE"), 32), 2u);
}

TEST(HelpFile, StatwardenHelp) {
  std::ifstream input(SW_HELP_SOURCE, std::ios::binary);
  ASSERT_TRUE(input) << SW_HELP_SOURCE;
  HelpDocument document;
  const HelpFile help = ReadHelpFile(
      Compile(std::string(std::istreambuf_iterator<char>(input), {}), document), document);
  EXPECT_EQ(document.title, "Statwarden Help");
  std::vector<std::string> fromContents;
  for (const Paragraph& paragraph : document.topics[0].paragraphs) {
    for (const TextRun& run : paragraph.runs) {
      if (!run.jump.empty()) fromContents.push_back(run.jump);
    }
  }
  std::vector<std::string> others;
  for (std::size_t t = 1; t < document.topics.size(); ++t) {
    const Topic& topic = document.topics[t];
    others.push_back(topic.id);
    ASSERT_FALSE(topic.paragraphs.empty()) << topic.id;
    EXPECT_EQ(topic.paragraphs.back().runs.back().jump, "contents") << topic.id;
  }
  EXPECT_EQ(fromContents, others) << "the contents lead to every topic, in order";
}

TEST(HelpContextHash, KnownValues) {
  const std::pair<const char*, std::int32_t> cases[] = {{"a", 17},
                                                        {"0", 10},
                                                        {"x_9", 74528},
                                                        {"1.2_3", 4377145},
                                                        {"contents", 636769674},
                                                        {"CONTENTS", 636769674},
                                                        {"abcdefghij", -1445823615}};
  for (const auto& [id, hash] : cases) EXPECT_EQ(ContextHash(id), hash) << id;
}

// Runs of a paragraph: *bold*, [target>jump text], "|" between runs.
std::string Render(const Paragraph& paragraph) {
  std::string out = paragraph.example ? "example:" : "";
  for (const TextRun& run : paragraph.runs) {
    if (&run != &paragraph.runs[0]) out += '|';
    const std::string text = run.jump.empty() ? run.text : "[" + run.jump + ">" + run.text + "]";
    out += run.bold ? "*" + text + "*" : text;
  }
  return out;
}

struct RunsCase {
  const char* source;
  const char* runs;
};

class HelpSourceRuns : public testing::TestWithParam<RunsCase> {};

TEST_P(HelpSourceRuns, Paragraph) {
  const HelpDocument document =
      ParseHelpSource(std::string("title: T\n= x | X\n") + GetParam().source);
  ASSERT_EQ(document.topics[0].paragraphs.size(), 1u);
  EXPECT_EQ(Render(document.topics[0].paragraphs[0]), GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, HelpSourceRuns,
    testing::Values(RunsCase{"  one\ntwo  \n", "one two"}, RunsCase{"a **b\nc** d", "a |*b c*| d"},
                    RunsCase{"**see [[x|X]]**", "*see *|*[x>X]*"},
                    RunsCase{"[[x| two\nlines ]] on", "[x>two lines]| on"},
                    RunsCase{"*.pud and * and [x]", "*.pud and * and [x]"},
                    RunsCase{"caf\xC3\xA9 \xE2\x80\x93 5 \xE2\x82\xAC \xC5\xB8",
                             "caf\xE9 \x96 5 \x80 \x9F"},
                    RunsCase{"> a  **b**\n>\n>  c\n", "example:a  **b**\n\n c"},
                    RunsCase{"a\r\nb\r\n", "a b"}));

struct ErrorCase {
  const char* source;
  int line;
  const char* message;
};

class HelpSourceErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(HelpSourceErrors, Rejected) {
  try {
    ParseHelpSource(GetParam().source);
    ADD_FAILURE() << "accepted";
  } catch (const HelpSourceError& error) {
    EXPECT_EQ(error.line(), GetParam().line);
    EXPECT_STREQ(error.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HelpSourceErrors,
    testing::Values(
        ErrorCase{"title: T\n= a | A\n[[b|B]]\n\n= c | C\n\n", 3, "jump to unknown context ID 'b'"},
        ErrorCase{"title: T\n= a | A\n= A | B\n", 3, "context ID 'A' is already used at line 2"},
        ErrorCase{"title: T\n\n= jftgpll | A\n\n= wbxtgzo | B\n", 5,
                  "context ID 'wbxtgzo' hashes like 'jftgpll' at line 3"},
        ErrorCase{"title: T\n= a-b | A\n", 2,
                  "context ID 'a-b' must be letters, digits, '_' and '.' only"},
        ErrorCase{"title: T\n= a A\n", 2, "a topic line is '= context_id | Title'"},
        ErrorCase{"title: T\n= a |\n", 2, "topic without a title"},
        ErrorCase{"title: T\nWords\n", 2, "text before the first topic"},
        ErrorCase{"# no title\n= a | A\n", 2, "the 'title:' line must come before the first topic"},
        ErrorCase{"title: T\ntitle: U\n", 2, "title given twice"},
        ErrorCase{"title: T\n\n", 2, "no topics"},
        ErrorCase{"title: T\n= a | A\nx\ny **z\n", 4, "unclosed '**'"},
        ErrorCase{"title: T\n= a | A\nx [[a|A\n", 3, "unclosed '[['"},
        ErrorCase{"title: T\n= a | A\n[[a]]\n", 3, "a jump is [[context_id|text]]"},
        ErrorCase{"title: T\n= a | A\n[[a| ]]\n", 3, "jump without text"},
        ErrorCase{"title: T\n= a | A\nx]]\n", 3, "']]' without '[['"},
        ErrorCase{"title: T\n= a | A\n> x\ny\n", 4, "text line in an example"},
        ErrorCase{"title: T\n= a | A\nx\n> y\n", 4, "example line in a paragraph"},
        ErrorCase{"title: T\n= a | A\n\xE2\x86\x92\n", 3,
                  "character U+2192 is not in Windows-1252"},
        ErrorCase{"title: T\n= a | A\n\xC3(\n", 3, "invalid UTF-8"},
        ErrorCase{"title: T\n= a | A\n\xE0\x83\xA9\n", 3, "invalid UTF-8"},
        ErrorCase{"title: T\n= a | A\na\tb\n", 3, "control character U+0009"}));

}  // namespace
