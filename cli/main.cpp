#include <cstdio>

#include "cli.h"
#include "start_dir.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // Lines end in a bare line feed on every system, as the raw view promises.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  SaveStartDir();
  FileOutput out(stdout);
  FileOutput err(stderr);
  return RunCli(std::vector<std::string>(argv + 1, argv + argc), out, err);
}
