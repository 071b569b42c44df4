#include <cstdio>

#include "cli.h"
#include "start_dir.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

int Run(const std::vector<std::string>& arguments, bool utf8Arguments) {
  SaveStartDir();
  FileOutput out(stdout);
  FileOutput err(stderr);
  return RunCli(arguments, out, err, utf8Arguments);
}

}  // namespace

#ifdef _WIN32
// The arguments as Windows holds them, wide, passed on in UTF-8: no name is lost to the ANSI code
// page.
int wmain(int argc, wchar_t** argv) {
  // Lines end in a bare line feed on every system, as the raw view promises.
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string& argument = arguments.emplace_back(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, argument.data(), size, nullptr, nullptr);
    if (!argument.empty()) argument.pop_back();  // the terminator
  }
  return Run(arguments, true);
}
#else
int main(int argc, char** argv) {
  return Run(std::vector<std::string>(argv + 1, argv + argc), false);
}
#endif
