// Opening a map file for reading, by a name in the system's narrow encoding or in UTF-8.
#pragma once

#include <cstdio>

// Opens the file for binary reading; a UTF-8 name is opened by its wide-character form where the
// system has one (Windows). Null when it cannot be opened.
std::FILE* OpenMapFile(const char* name, bool utf8Name);
