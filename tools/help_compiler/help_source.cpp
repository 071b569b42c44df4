#include "help_source.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include "winhelp_writer.h"

namespace {

// Windows-1252 bytes 0x80 to 0x9F as Unicode; 0 where the code page leaves the byte unused.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToCp1252(char32_t c, int line) {
  if (c >= 0x20 && c < 0x7F) return static_cast<char>(c);
  if (c >= 0xA0 && c <= 0xFF) return static_cast<char>(static_cast<unsigned char>(c));
  for (unsigned i = 0; i < 32; ++i) {
    if (c > 0 && kCp1252High[i] == c) return static_cast<char>(0x80 + i);
  }
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  throw HelpSourceError(line, c < 0x20 || c == 0x7F
                                  ? std::string("control character ") + name
                                  : std::string("character ") + name + " is not in Windows-1252");
}

// One line of UTF-8 in Windows-1252.
std::string LineToCp1252(std::string_view line, int number) {
  std::string out;
  for (std::size_t i = 0; i < line.size();) {
    const auto lead = static_cast<unsigned char>(line[i]);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || i + length > line.size()) throw HelpSourceError(number, "invalid UTF-8");
    char32_t c = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(line[i + k]);
      if ((next & 0xC0) != 0x80) throw HelpSourceError(number, "invalid UTF-8");
      c = c << 6 | (next & 0x3Fu);
    }
    constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length]) throw HelpSourceError(number, "invalid UTF-8");
    out += ToCp1252(c, number);
    i += length;
  }
  return out;
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsContextId(std::string_view id) {
  return !id.empty() &&
         std::all_of(id.begin(), id.end(), [](char c) { return ContextCharCode(c) != 0; });
}

void CheckContextId(std::string_view id, int line) {
  if (!IsContextId(id)) {
    throw HelpSourceError(
        line, "context ID '" + std::string(id) + "' must be letters, digits, '_' and '.' only");
  }
}

struct SourceLine {
  std::string text;
  int number;
};

struct JumpUse {
  std::string target;
  int line;
};

class Parser {
 public:
  HelpDocument Parse(std::string_view source) {
    if (source.substr(0, 3) == "\xEF\xBB\xBF") source.remove_prefix(3);
    int number = 0;
    while (!source.empty()) {
      const auto end = std::min(source.find('\n'), source.size());
      std::string_view raw = source.substr(0, end);
      source.remove_prefix(std::min(end + 1, source.size()));
      ++number;
      if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
      Line(LineToCp1252(raw, number), number);
    }
    EndParagraph();
    if (document_.topics.empty()) throw HelpSourceError(number, "no topics");
    for (const JumpUse& jump : jumps_) {
      if (topicLines_.count(jump.target) == 0) {
        throw HelpSourceError(jump.line, "jump to unknown context ID '" + jump.target + "'");
      }
    }
    return std::move(document_);
  }

 private:
  void Line(std::string text, int number) {
    text.erase(text.find_last_not_of(' ') + 1);
    if (!text.empty() && text[0] == '#') return;
    if (text.empty()) {
      EndParagraph();
    } else if (text[0] == '=') {
      EndParagraph();
      StartTopic(text, number);
    } else if (!document_.topics.empty()) {
      paragraph_.push_back({std::move(text), number});
    } else if (text.rfind("title:", 0) == 0) {
      Setting(document_.title, text.substr(6), "title", number);
    } else if (text.rfind("copyright:", 0) == 0) {
      Setting(document_.copyright, text.substr(10), "copyright", number);
    } else {
      throw HelpSourceError(number, "text before the first topic");
    }
  }

  static void Setting(std::string& value, std::string_view text, const char* name, int number) {
    if (!value.empty()) throw HelpSourceError(number, std::string(name) + " given twice");
    value = Trim(text);
    if (value.empty()) throw HelpSourceError(number, std::string("empty ") + name);
  }

  void StartTopic(std::string_view text, int number) {
    const auto bar = text.find('|');
    if (bar == std::string_view::npos) {
      throw HelpSourceError(number, "a topic line is '= context_id | Title'");
    }
    std::string id(Trim(text.substr(1, bar - 1)));
    std::string title(Trim(text.substr(bar + 1)));
    CheckContextId(id, number);
    if (title.empty()) throw HelpSourceError(number, "topic without a title");
    if (document_.title.empty()) {
      throw HelpSourceError(number, "the 'title:' line must come before the first topic");
    }
    for (const auto& [other, line] : topicLines_) {
      if (ContextHash(other) != ContextHash(id)) continue;
      const bool same =
          std::equal(id.begin(), id.end(), other.begin(), other.end(),
                     [](char a, char b) { return ContextCharCode(a) == ContextCharCode(b); });
      throw HelpSourceError(number, "context ID '" + id + "' " +
                                        (same ? "is already used" : "hashes like '" + other + "'") +
                                        " at line " + std::to_string(line));
    }
    topicLines_.emplace(id, number);
    document_.topics.push_back({std::move(id), std::move(title), {}});
  }

  void EndParagraph() {
    if (paragraph_.empty()) return;
    const bool example = paragraph_[0].text[0] == '>';
    Paragraph paragraph{{}, example};
    if (example) {
      TextRun run;
      for (const SourceLine& line : paragraph_) {
        if (line.text[0] != '>') throw HelpSourceError(line.number, "text line in an example");
        const std::size_t skip = line.text.size() > 1 && line.text[1] == ' ' ? 2 : 1;
        if (&line != &paragraph_[0]) run.text += '\n';
        run.text.append(line.text, skip);
      }
      paragraph.runs.push_back(std::move(run));
    } else {
      paragraph.runs = Runs();
    }
    document_.topics.back().paragraphs.push_back(std::move(paragraph));
    paragraph_.clear();
  }

  // The paragraph's lines, joined with blanks, split where the look changes.
  std::vector<TextRun> Runs() {
    std::string text;
    std::vector<std::pair<std::size_t, int>> starts;  // where each source line begins in `text`
    for (const SourceLine& line : paragraph_) {
      if (line.text[0] == '>') throw HelpSourceError(line.number, "example line in a paragraph");
      if (!text.empty()) text += ' ';
      starts.emplace_back(text.size(), line.number);
      text += Trim(line.text);
    }
    const auto lineAt = [&](std::size_t at) {
      return std::prev(
                 std::upper_bound(starts.begin(), starts.end(), std::make_pair(at, 0),
                                  [](const auto& a, const auto& b) { return a.first < b.first; }))
          ->second;
    };
    std::vector<TextRun> runs;
    TextRun run;
    std::size_t boldStart = 0;
    const auto flush = [&] {
      if (!run.text.empty()) runs.push_back(run);
      run.text.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
      const std::string_view rest = std::string_view(text).substr(i);
      if (rest.rfind("**", 0) == 0) {
        flush();
        run.bold = !run.bold;
        boldStart = i;
        i += 2;
      } else if (rest.rfind("[[", 0) == 0) {
        const auto close = rest.find("]]");
        if (close == std::string_view::npos) throw HelpSourceError(lineAt(i), "unclosed '[['");
        const auto bar = rest.substr(0, close).find('|');
        if (bar == std::string_view::npos) {
          throw HelpSourceError(lineAt(i), "a jump is [[context_id|text]]");
        }
        std::string target(Trim(rest.substr(2, bar - 2)));
        std::string label(Trim(rest.substr(bar + 1, close - bar - 1)));
        CheckContextId(target, lineAt(i));
        if (label.empty()) throw HelpSourceError(lineAt(i), "jump without text");
        flush();
        jumps_.push_back({target, lineAt(i)});
        runs.push_back({std::move(label), run.bold, std::move(target)});
        i += close + 2;
      } else if (rest.rfind("]]", 0) == 0) {
        throw HelpSourceError(lineAt(i), "']]' without '[['");
      } else {
        run.text += text[i++];
      }
    }
    if (run.bold) throw HelpSourceError(lineAt(boldStart), "unclosed '**'");
    flush();
    return runs;
  }

  HelpDocument document_;
  std::map<std::string, int> topicLines_;  // context ID, line of its topic
  std::vector<SourceLine> paragraph_;
  std::vector<JumpUse> jumps_;
};

}  // namespace

HelpDocument ParseHelpSource(std::string_view source) { return Parser().Parse(source); }
