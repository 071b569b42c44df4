// Draws the program's pictures at build time, so that they can be remade whenever they change.
//
//   picture_maker OUTPUT_FOLDER
//
// writes war2.bmp (the main window's picture), mascot.bmp (the about box's) and statwarden.ico.
#include <exception>
#include <iostream>

#include "picture_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: picture_maker OUTPUT_FOLDER\n";
    return 1;
  }
  try {
    WritePictures(argv[1]);
  } catch (const std::exception& error) {
    std::cerr << "picture_maker: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
