// Where the checker's text goes: a C stream in the program, a string in the tests.
#pragma once

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>

class TextOutput {
 public:
  virtual void Write(std::string_view text) = 0;
  // Writes out what is held. Gives 0 when everything written so far has reached its place, else
  // the system's error number of the first write that failed.
  virtual int Flush() { return 0; }

 protected:
  ~TextOutput() = default;
};

class FileOutput final : public TextOutput {
 public:
  explicit FileOutput(std::FILE* file) : file_(file) {}

  void Write(std::string_view text) override {
    if (std::fwrite(text.data(), 1, text.size(), file_) < text.size()) Failed();
  }

  int Flush() override {
    if (std::fflush(file_) != 0) Failed();
    return error_;
  }

 private:
  void Failed() {
    if (error_ == 0) error_ = errno != 0 ? errno : EIO;
  }

  std::FILE* file_;
  int error_ = 0;
};

class StringOutput final : public TextOutput {
 public:
  void Write(std::string_view more) override { text.append(more); }
  std::string text;
};
