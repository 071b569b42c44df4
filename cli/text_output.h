// Where the checker's text goes: a C stream in the program, a string in the tests.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class TextOutput {
 public:
  virtual void Write(std::string_view text) = 0;
  virtual void Flush() {}

 protected:
  ~TextOutput() = default;
};

class FileOutput final : public TextOutput {
 public:
  explicit FileOutput(std::FILE* file) : file_(file) {}
  void Write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), file_); }
  void Flush() override { std::fflush(file_); }

 private:
  std::FILE* file_;
};

class StringOutput final : public TextOutput {
 public:
  void Write(std::string_view more) override { text.append(more); }
  std::string text;
};
