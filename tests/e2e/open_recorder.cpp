// The browser's stand-in: writes the name of the file it is to open into the file named first.
#include <fstream>

int main(int argc, char** argv) {
  if (argc == 3) std::ofstream(argv[1]) << argv[2];
}
