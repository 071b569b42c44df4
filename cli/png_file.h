// A map's picture written as a PNG file, by stb_image_write.
#pragma once

#include <string>

#include "map_picture.h"

// Writes `picture` to the file `name` (in UTF-8 with `utf8Name`, see OpenNamedFile), replacing
// any. Gives 0, or the system's error number when the file could not be written whole.
int WritePngFile(const std::string& name, bool utf8Name, const Picture& picture);
