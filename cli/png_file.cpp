#include "png_file.h"

#include <cerrno>
#include <cstdio>

#include "open_map_file.h"

// The encoder alone, into memory: the file is ours to open, by a UTF-8 name too.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace {

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<std::size_t>(size));
}

int LastError() { return errno != 0 ? errno : EIO; }

}  // namespace

int WritePngFile(const std::string& name, bool utf8Name, const Picture& picture) {
  std::string png;
  if (stbi_write_png_to_func(Append, &png, picture.width, picture.height, 3, picture.rgb.data(),
                             picture.width * 3) == 0) {
    return ENOMEM;
  }
  errno = 0;
  std::FILE* file = OpenNamedFile(name.c_str(), utf8Name, "wb");
  if (file == nullptr) return LastError();
  int error = std::fwrite(png.data(), 1, png.size(), file) == png.size() ? 0 : LastError();
  if (std::fclose(file) != 0 && error == 0) error = LastError();
  return error;
}
