#include "html_writer.h"

namespace {

// The text with HTML's special characters escaped; a line break becomes `lineBreak`.
void AppendEscaped(std::string& page, const std::string& text, const char* lineBreak = "<br>") {
  for (char c : text) {
    switch (c) {
      case '&':
        page += "&amp;";
        break;
      case '<':
        page += "&lt;";
        break;
      case '>':
        page += "&gt;";
        break;
      case '"':
        page += "&quot;";
        break;
      case '\n':
        page += lineBreak;
        break;
      default:
        page += c;
    }
  }
}

void AppendRun(std::string& page, const TextRun& run) {
  if (run.bold) page += "<b>";
  if (!run.jump.empty()) page += "<a href=\"#" + run.jump + "\">";
  AppendEscaped(page, run.text);
  if (!run.jump.empty()) page += "</a>";
  if (run.bold) page += "</b>";
}

void AppendParagraph(std::string& page, const Paragraph& paragraph) {
  page += paragraph.example ? "<pre>" : "<p>";
  for (const TextRun& run : paragraph.runs) {
    // Examples keep their line breaks as written.
    if (paragraph.example) {
      AppendEscaped(page, run.text, "\n");
    } else {
      AppendRun(page, run);
    }
  }
  page += paragraph.example ? "</pre>\n" : "</p>\n";
}

}  // namespace

std::string BuildHelpPage(const HelpDocument& document) {
  std::string page = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"windows-1252\">\n<title>";
  AppendEscaped(page, document.title);
  page += "</title>\n<style>body{font-family:sans-serif;max-width:45em;margin:1em auto}</style>\n";
  page += "</head>\n<body>\n<h1>";
  AppendEscaped(page, document.title);
  page += "</h1>\n";
  for (const Topic& topic : document.topics) {
    page += "<h2 id=\"" + topic.id + "\">";
    AppendEscaped(page, topic.title);
    page += "</h2>\n";
    for (const Paragraph& paragraph : topic.paragraphs) AppendParagraph(page, paragraph);
  }
  if (!document.copyright.empty()) {
    page += "<p><small>";
    AppendEscaped(page, document.copyright);
    page += "</small></p>\n";
  }
  page += "</body>\n</html>\n";
  return page;
}
