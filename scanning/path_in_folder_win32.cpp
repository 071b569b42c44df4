#include "path_in_folder.h"

#include <windows.h>

namespace {

// `text` from the ANSI code page to UTF-8.
std::string Utf8FromAnsi(const std::string& text) {
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), wideLength);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), length, nullptr, nullptr);
  utf8.resize(utf8.size() - 1);
  return utf8;
}

}  // namespace

std::string PathInFolder(const std::string& folder, const std::string& name, bool utf8Name) {
  if (folder.empty()) return name;
  const std::string start = utf8Name ? Utf8FromAnsi(folder) : folder;
  const char last = start.back();
  return last == '\\' || last == '/' || last == ':' ? start + name : start + '\\' + name;
}

// A drive's letter ends a folder too: "Z:War.pud".
std::string NameInPath(const std::string& path) {
  return path.substr(path.find_last_of("\\/:") + 1);
}
