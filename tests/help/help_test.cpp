// The shipped help compiled, its topic offsets read back; sources whose jumps would lead nowhere.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "help_source.h"
#include "winhelp_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | unsigned{b.at(at + 1)} << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

// The body of an internal file whose header starts at `at`.
Bytes InternalFile(const Bytes& file, std::uint32_t at) {
  return Bytes(file.begin() + at + 9, file.begin() + at + 9 + U32(file, at + 4));
}

// The entries of a one-level B+ tree, each as the offset of its first byte.
std::vector<std::size_t> LeafEntries(const Bytes& tree, const std::string& structure) {
  EXPECT_EQ(U16(tree, 32), 1u) << structure << ": one level";
  const std::size_t page = 38 + U16(tree, 26) * std::size_t{U16(tree, 4)};
  std::vector<std::size_t> entries;
  std::size_t at = page + 8;
  for (std::uint32_t i = 0; i < U16(tree, page + 2); ++i) {
    entries.push_back(at);
    for (char kind : structure)
      at += kind == 'z' ? std::string(reinterpret_cast<const char*>(&tree.at(at))).size() + 1 : 4;
  }
  return entries;
}

// The TOPICOFFSET of each topic header record of |TOPIC, in file order: the block times 0x8000
// plus the characters of the text records that start earlier in that block.
std::vector<std::uint32_t> TopicHeaderOffsets(const Bytes& topic) {
  std::vector<std::uint32_t> offsets;
  std::uint32_t count = 0, block = 0;
  for (std::uint32_t pos = 12, next; pos != 0xFFFFFFFF; pos = next) {
    const std::size_t at = pos / 0x4000 * 4096 + pos % 0x4000;
    if (pos / 0x4000 != block) count = 0;
    block = pos / 0x4000;
    if (topic.at(at + 20) == 2) offsets.push_back(block * 0x8000 + count);
    if (topic.at(at + 20) == 0x20) count += U32(topic, at + 4);
    next = U32(topic, at + 12);
    if (next != 0xFFFFFFFF && next <= pos) {
      ADD_FAILURE() << "records run backwards at " << pos;
      break;
    }
  }
  return offsets;
}

HelpDocument ShippedHelp() {
  std::ifstream input(SW_HELP_SOURCE, std::ios::binary);
  EXPECT_TRUE(input) << SW_HELP_SOURCE;
  return ParseHelpSource(std::string(std::istreambuf_iterator<char>(input), {}));
}

// Every topic's context ID leads to its own header record, and the title tree agrees.
TEST(HelpFile, ContextsLeadToTheirTopics) {
  const HelpDocument document = ShippedHelp();
  const Bytes file = BuildHelpFile(document, 1700000000);
  std::map<std::string, Bytes> files;
  const Bytes directory = InternalFile(file, U32(file, 4));
  for (std::size_t at : LeafEntries(directory, "z4")) {
    const std::string name(reinterpret_cast<const char*>(&directory[at]));
    files[name] = InternalFile(file, U32(directory, at + name.size() + 1));
  }
  const std::vector<std::uint32_t> headers = TopicHeaderOffsets(files["|TOPIC"]);
  ASSERT_EQ(headers.size(), document.topics.size() + 1) << "and the empty topic at the end";

  std::map<std::int32_t, std::uint32_t> contexts;
  for (std::size_t at : LeafEntries(files["|CONTEXT"], "L4")) {
    contexts[static_cast<std::int32_t>(U32(files["|CONTEXT"], at))] =
        U32(files["|CONTEXT"], at + 4);
  }
  std::map<std::uint32_t, std::string> titles;
  for (std::size_t at : LeafEntries(files["|TTLBTREE"], "Lz")) {
    titles[U32(files["|TTLBTREE"], at)] =
        reinterpret_cast<const char*>(&files["|TTLBTREE"].at(at + 4));
  }
  ASSERT_EQ(contexts.size(), document.topics.size());
  for (std::size_t t = 0; t < document.topics.size(); ++t) {
    EXPECT_EQ(contexts[ContextHash(document.topics[t].id)], headers[t]) << document.topics[t].id;
    EXPECT_EQ(titles[headers[t]], document.topics[t].title);
  }
}

// The contents topic leads to every other topic, in order, and each leads back.
TEST(HelpFile, ContentsReachEveryTopic) {
  const HelpDocument document = ShippedHelp();
  std::vector<std::string> fromContents, others;
  for (const Paragraph& paragraph : document.topics[0].paragraphs)
    for (const TextRun& run : paragraph.runs)
      if (!run.jump.empty()) fromContents.push_back(run.jump);
  for (std::size_t t = 1; t < document.topics.size(); ++t) {
    const Topic& topic = document.topics[t];
    others.push_back(topic.id);
    ASSERT_FALSE(topic.paragraphs.empty()) << topic.id;
    EXPECT_EQ(topic.paragraphs.back().runs.back().jump, "contents") << topic.id;
  }
  EXPECT_EQ(fromContents, others);
}

// WinHelp finds a topic by this hash of its context ID: other values lead nowhere.
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

// Sources whose jumps could not find their topic.
TEST(HelpSource, JumpsThatCouldMissAreRejected) {
  const std::pair<const char*, const char*> cases[] = {
      {"title: T\n= a | A\n[[b|B]]\n\n= c | C\n\n", "jump to unknown context ID 'b'"},
      {"title: T\n= a | A\n= A | B\n", "context ID 'A' is already used at line 2"},
      {"title: T\n\n= jftgpll | A\n\n= wbxtgzo | B\n",
       "context ID 'wbxtgzo' hashes like 'jftgpll' at line 3"}};
  for (const auto& [source, message] : cases) {
    try {
      ParseHelpSource(source);
      ADD_FAILURE() << "accepted: " << message;
    } catch (const HelpSourceError& error) {
      EXPECT_STREQ(error.what(), message);
    }
  }
}

}  // namespace
