// Stands in for the browser in the tests: writes the name of the file it was asked to open into
// the file named first, whole or not at all.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string partial = std::string(argv[1]) + ".part";
  std::FILE* out = std::fopen(partial.c_str(), "w");
  if (out == nullptr) return 1;
  std::fputs(argv[2], out);
  if (std::fclose(out) != 0) return 1;
  return MoveFileA(partial.c_str(), argv[1]) ? 0 : 1;
}
