// The floor for checking many maps: open each file and read the byte ranges the analysis
// reads, and nothing more.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  struct Range {
    off_t offset;
    size_t bytes;
  };
  constexpr Range kRanges[] = {{108, 4},    {138, 1},    {2146, 110}, {4126, 110}, {4236, 110},
                               {2256, 110}, {2366, 110}, {2476, 110}, {1816, 220}};
  unsigned char buffer[220];
  unsigned long sum = 0;
  for (int i = 1; i < argc; ++i) {
    const int file = open(argv[i], O_RDONLY);
    if (file < 0) return 2;
    for (const Range& range : kRanges) {
      if (pread(file, buffer, range.bytes, range.offset) > 0) sum += buffer[0];
    }
    close(file);
  }
  std::printf("%lu\n", sum);
  return 0;
}
