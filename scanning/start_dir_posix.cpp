// The start folder on POSIX systems: held open, so it is found again even if it is renamed.
#include <fcntl.h>
#include <unistd.h>

#include "start_dir.h"

namespace {

int startFolder = -1;

}  // namespace

void SaveStartDir() {
  if (startFolder >= 0) close(startFolder);
  startFolder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

void RestoreStartDir() {
  if (startFolder < 0) return;
  [[maybe_unused]] const int ignored = fchdir(startFolder);
}
