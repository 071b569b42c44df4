// Joining a folder given by the user and a file name found in it; a path's file name.
#pragma once

#include <string>

// The path of the file `name` in `folder` ("": the current directory). A name in UTF-8 (see
// PudEntry) in a folder named in the ANSI code page makes a path in UTF-8.
std::string PathInFolder(const std::string& folder, const std::string& name, bool utf8Name = false);

// The file name at the end of `path`, without the folders before it.
std::string NameInPath(const std::string& path);
