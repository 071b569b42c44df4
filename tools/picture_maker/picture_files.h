// Writes the program's pictures as the files its resources take in.
#pragma once

#include <filesystem>

// war2.bmp, mascot.bmp and statwarden.ico in `folder`, which is made when missing. Throws
// std::runtime_error naming the file that could not be written.
void WritePictures(const std::filesystem::path& folder);
