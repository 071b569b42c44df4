// Opening a file by a name in the system's narrow encoding or in UTF-8: a map to read, and the
// checker's pictures to write.
#pragma once

#include <cstdio>

// Opens the file in `mode` ("rb", "wb"); a UTF-8 name is opened by its wide-character form where
// the system has one (Windows). Null when it cannot be opened, with errno set.
std::FILE* OpenNamedFile(const char* name, bool utf8Name, const char* mode);

// Opens a map for binary reading.
inline std::FILE* OpenMapFile(const char* name, bool utf8Name) {
  return OpenNamedFile(name, utf8Name, "rb");
}
