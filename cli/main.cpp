#include <cstdio>

#include "cli.h"

int main(int argc, char** argv) {
  FileOutput out(stdout);
  FileOutput err(stderr);
  return RunCli(std::vector<std::string>(argv + 1, argv + argc), out, err);
}
