// The help text source and its parsed form.
//
//   # a comment line
//   title: Statwarden Help                  (caption of the help window)
//   copyright: Copyright ...                (optional)
//
//   = contents | Contents                   (a topic: context ID, then its title; the first
//                                            topic is the contents topic)
//   Lines of a paragraph are joined with a blank. Paragraphs are separated by blank lines.
//   **bold text** and [[context_id|jumps to another topic]].
//
//   > example lines, shown as written
//   > in a fixed-width font, one per line
//
// The source is UTF-8; the help file is written in Windows-1252, so every character must exist
// there. Context IDs use the letters, the digits, '_' and '.'.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A piece of a paragraph with one look. Text is Windows-1252 and may hold '\n' (a line break).
struct TextRun {
  std::string text;
  bool bold = false;
  std::string jump;  // context ID of the topic this text leads to, or empty
};

struct Paragraph {
  std::vector<TextRun> runs;
  bool example = false;  // fixed-width lines
};

struct Topic {
  std::string id;
  std::string title;
  std::vector<Paragraph> paragraphs;
};

struct HelpDocument {
  std::string title;
  std::string copyright;      // empty: none
  std::vector<Topic> topics;  // never empty; the first one is the contents topic
};

class HelpSourceError : public std::runtime_error {
 public:
  HelpSourceError(int line, const std::string& message)
      : std::runtime_error(message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Throws HelpSourceError for any fault in the source: bad syntax, a character Windows-1252
// lacks, a context ID used twice or hashing like another one, a jump to an unknown topic.
HelpDocument ParseHelpSource(std::string_view source);
