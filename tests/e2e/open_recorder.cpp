// The browser's stand-in: writes the name of the file it is to open, in UTF-8, into the file named
// first.
#include <filesystem>
#include <fstream>

int wmain(int argc, wchar_t** argv) {
  if (argc == 3) std::ofstream(argv[1]) << std::filesystem::path(argv[2]).string();
  return 0;
}
