// Compiles the help text into a WinHelp file at build time.
//
//   help_compiler INPUT.help OUTPUT.hlp
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
#include "winhelp_writer.h"

namespace {

std::uint32_t BuildTime() {
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    return static_cast<std::uint32_t>(std::strtoul(epoch, nullptr, 10));
  }
  return static_cast<std::uint32_t>(std::time(nullptr));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: help_compiler INPUT.help OUTPUT.hlp\n";
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  const std::string source(std::istreambuf_iterator<char>(input), {});
  if (!input) {
    std::cerr << argv[1] << ": cannot read the file\n";
    return 1;
  }
  std::vector<std::uint8_t> file;
  try {
    file = BuildHelpFile(ParseHelpSource(source), BuildTime());
  } catch (const HelpSourceError& error) {
    std::cerr << argv[1] << ':' << error.line() << ": " << error.what() << '\n';
    return 1;
  } catch (const std::length_error& error) {
    std::cerr << argv[1] << ": " << error.what() << '\n';
    return 1;
  }
  std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
  output.write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
  output.close();
  if (!output) {
    std::cerr << argv[2] << ": cannot write the file\n";
    std::remove(argv[2]);
    return 1;
  }
  return 0;
}
