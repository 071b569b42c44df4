// Compiles the help text into a WinHelp file and an HTML page at build time.
//
//   help_compiler INPUT.help OUTPUT.hlp OUTPUT.htm
//
// A fault in the source is reported as "INPUT:LINE: message". The file's build time is
// SOURCE_DATE_EPOCH when that is set, for builds that must come out the same each time.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "help_source.h"
#include "html_writer.h"
#include "winhelp_writer.h"

namespace {

std::uint32_t BuildTime() {
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    return static_cast<std::uint32_t>(std::strtoul(epoch, nullptr, 10));
  }
  return static_cast<std::uint32_t>(std::time(nullptr));
}

// Writes `bytes` to `path` whole, or removes what was written and says so.
bool WriteWhole(const char* path, const char* bytes, std::size_t size) {
  std::ofstream output(path, std::ios::binary | std::ios::trunc);
  output.write(bytes, static_cast<std::streamsize>(size));
  output.close();
  if (output) return true;
  std::cerr << path << ": cannot write the file\n";
  std::remove(path);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: help_compiler INPUT.help OUTPUT.hlp OUTPUT.htm\n";
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  const std::string source(std::istreambuf_iterator<char>(input), {});
  if (!input) {
    std::cerr << argv[1] << ": cannot read the file\n";
    return 1;
  }
  std::vector<std::uint8_t> file;
  std::string page;
  try {
    const HelpDocument document = ParseHelpSource(source);
    file = BuildHelpFile(document, BuildTime());
    page = BuildHelpPage(document);
  } catch (const HelpSourceError& error) {
    std::cerr << argv[1] << ':' << error.line() << ": " << error.what() << '\n';
    return 1;
  } catch (const std::length_error& error) {
    std::cerr << argv[1] << ": " << error.what() << '\n';
    return 1;
  }
  const bool written =
      WriteWhole(argv[2], reinterpret_cast<const char*>(file.data()), file.size()) &&
      WriteWhole(argv[3], page.data(), page.size());
  return written ? 0 : 1;
}
