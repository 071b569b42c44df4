// Makes the browser page, one HTML file that needs nothing else:
//   page_maker PAGE STYLE SCRIPT MODULE OUTPUT
// PAGE is the markup with four marks: @STYLE@ and @SCRIPT@ take the style sheet and the script
// as they are, @MODULE@ the WebAssembly module in base64, @POLICY@ the Content-Security-Policy.
// The policy lets the page run that one script and that one style sheet, named by their hashes,
// and compile WebAssembly; it forbids everything else, every connection included.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "sha256.h"

namespace {

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (std::size_t at = 0; at < bytes.size(); at += 3) {
    const std::size_t left = bytes.size() - at;
    std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 16;
    if (left > 1)
      group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
    if (left > 2) group |= static_cast<unsigned char>(bytes[at + 2]);
    for (int digit = 0; digit < 4; ++digit) {
      text.push_back(digit <= static_cast<int>(left) ? kDigits[group >> (18 - 6 * digit) & 63]
                                                     : '=');
    }
  }
  return text;
}

std::string HashSource(std::string_view text) {
  const auto digest = Sha256(text);
  return "'sha256-" +
         Base64(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size())) +
         "'";
}

bool Read(const char* path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  text = bytes.str();
  return file.good() || file.eof();
}

// Replaces the one mark in `page`; false when the page does not hold it exactly once.
bool Fill(std::string& page, std::string_view mark, std::string_view text) {
  const std::size_t at = page.find(mark);
  if (at == std::string::npos || page.find(mark, at + 1) != std::string::npos) return false;
  page.replace(at, mark.size(), text);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: page_maker PAGE STYLE SCRIPT MODULE OUTPUT\n";
    return 2;
  }
  std::string page, style, script, module;
  if (!Read(argv[1], page) || !Read(argv[2], style) || !Read(argv[3], script) ||
      !Read(argv[4], module)) {
    std::cerr << "page_maker: cannot read the page's parts\n";
    return 1;
  }
  const std::string policy = "default-src 'none'; script-src " + HashSource(script) +
                             " 'wasm-unsafe-eval'; style-src " + HashSource(style) +
                             "; base-uri 'none'; form-action 'none'";
  // The policy first: the style and script could hold the other marks' text.
  if (!Fill(page, "@POLICY@", policy) || !Fill(page, "@MODULE@", Base64(module)) ||
      !Fill(page, "@STYLE@", style) || !Fill(page, "@SCRIPT@", script)) {
    std::cerr << "page_maker: " << argv[1] << " must hold each mark once\n";
    return 1;
  }
  std::ofstream out(argv[5], std::ios::binary);
  out << page;
  out.close();
  if (!out) {
    std::cerr << "page_maker: cannot write " << argv[5] << '\n';
    std::remove(argv[5]);
    return 1;
  }
  return 0;
}
