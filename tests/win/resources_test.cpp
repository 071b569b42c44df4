#include <windows.h>

#include <gtest/gtest.h>

// The pictures and icon group 2 as statwarden.exe carries them: 8 bits per pixel, uncompressed.
TEST(ResourcesTest, PicturesAndIconIn256Colours) {
  HMODULE exe = LoadLibraryExA(SW_STATWARDEN_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const struct {
    LPCSTR name;
    LONG width, height;
  } pictures[] = {{"war2", 140, 135}, {"mascot", 110, 116}};
  for (const auto& picture : pictures) {
    HRSRC found = FindResourceA(exe, picture.name, RT_BITMAP);
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(exe, found)));
    ASSERT_NE(header, nullptr) << picture.name;
    EXPECT_EQ(header->biWidth, picture.width);
    EXPECT_EQ(header->biHeight, picture.height);
    EXPECT_EQ(header->biBitCount, 8);
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
    // The header, 256 colours and the rows, each a multiple of 4 bytes: nothing cut short.
    EXPECT_EQ(SizeofResource(exe, found),
              40 + 256 * 4 + static_cast<DWORD>((picture.width + 3) / 4 * 4 * picture.height));
  }
  // Its directory, with one entry: width, height, colours, reserved, planes, bits per pixel.
  HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(2), RT_GROUP_ICON);
  const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(exe, found)));
  ASSERT_EQ(SizeofResource(exe, found), 20u);
  EXPECT_EQ(group[4], 1);
  EXPECT_EQ(std::vector<BYTE>(group + 6, group + 14),
            (std::vector<BYTE>{64, 64, 0, 0, 1, 0, 8, 0}));
}
