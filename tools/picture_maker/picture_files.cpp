#include "picture_files.h"

#include <fstream>
#include <stdexcept>
#include <vector>

#include "image_files.h"
#include "palette.h"
#include "pictures.h"

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error(path.string() + ": cannot write the file");
}

}  // namespace

void WritePictures(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw std::runtime_error(folder.string() + ": " + error.message());

  // The bitmaps keep the window's grey as entry 0, exactly, so that they blend into the window.
  const std::vector<Rgb> grey{{128, 128, 128}};
  WriteFile(folder / "war2.bmp", EncodeBmp(Quantise(DrawWindowPicture(), grey)));
  WriteFile(folder / "mascot.bmp", EncodeBmp(Quantise(DrawMascot(), grey)));
  // The icon's clear pixels take entry 0, which must be black to show what lies behind.
  WriteFile(folder / "statwarden.ico", EncodeIco(Quantise(DrawIcon(), {{0, 0, 0}})));
}
