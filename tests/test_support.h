// Shared helpers of the native tests: scratch folders and files, and a report collector.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "report_lines.h"

// A fresh, empty folder removed again at the end of the test.
class ScratchDir {
 public:
  ScratchDir() { std::filesystem::create_directories(path_); }
  ~ScratchDir() { std::filesystem::remove_all(path_); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes `bytes` to `name` inside the folder and returns the full path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << std::string(bytes.begin(), bytes.end());
    return (path_ / name).string();
  }

 private:
  const std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                      ("sw-test-" + std::to_string(std::random_device()()));
};

// Keeps every report line.
class LineCollector : public ReportSink {
 public:
  void AddLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};
