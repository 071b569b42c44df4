#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

// The pictures and icon group 2 as statwarden.exe carries them: 8 bits per pixel, uncompressed.
TEST(ResourcesTest, PicturesAndIconIn256Colours) {
  HMODULE exe = LoadLibraryExA(SW_STATWARDEN_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const std::tuple<LPCSTR, LONG, LONG> pictures[] = {{"war2", 140, 135}, {"mascot", 110, 116}};
  for (const auto& [name, width, height] : pictures) {
    HRSRC found = FindResourceA(exe, name, RT_BITMAP);
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(exe, found)));
    ASSERT_NE(header, nullptr) << name;
    EXPECT_EQ(
        std::tuple(header->biWidth, header->biHeight, header->biBitCount, header->biCompression),
        std::tuple(width, height, WORD{8}, DWORD{BI_RGB}));
    // The header, 256 colours and the rows, each a multiple of 4 bytes: nothing cut short.
    EXPECT_EQ(SizeofResource(exe, found),
              40 + 256 * 4 + static_cast<DWORD>((width + 3) / 4 * 4 * height));
  }
  // Its directory: one entry, then its width, height, colours, reserved, planes, bits per pixel.
  HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(2), RT_GROUP_ICON);
  const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(exe, found)));
  ASSERT_EQ(SizeofResource(exe, found), 20u);
  EXPECT_EQ(std::vector<BYTE>(group + 4, group + 14),
            (std::vector<BYTE>{1, 0, 64, 64, 0, 0, 1, 0, 8, 0}));
}

// Each program carries the manifest the build made for it as resource 1 of type RT_MANIFEST, the
// one Windows reads when it starts the program.
TEST(ResourcesTest, Manifests) {
  const std::pair<const char*, const char*> programs[] = {SW_MANIFESTS};
  for (const auto& [program, manifest] : programs) {
    HMODULE exe = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr) << program;
    std::ifstream source(manifest, std::ios::binary);
    EXPECT_EQ(std::string(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                          SizeofResource(exe, found)),
              std::string(std::istreambuf_iterator<char>(source), {}))
        << program;
  }
}
