// The map reader and the report on a file of any bytes and any length. A file that exists is
// always read, and every line written has the report's shape: for each unit-data section in turn,
// sections in the order of the statistics, each a title, with a " " line before it for every
// statistic but the first, then at least one difference line of a unit of that statistic's table.
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "report.h"
#include "standard_tables.h"

namespace {

std::string inputPath;

[[noreturn]] void Fail(const char* what, std::string_view line = {}) {
  std::fprintf(stderr, "report: %s: \"%.*s\"\n", what, static_cast<int>(line.size()), line.data());
  std::abort();
}

// A decimal number with no sign and no leading zero.
bool ParseNumber(std::string_view text, unsigned& value) {
  if (text.empty() || (text.size() > 1 && text[0] == '0')) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

class ShapeChecker : public ReportSink {
 public:
  void AddLine(std::string_view line) override {
    ++lines_;
    if (line.size() > kMaxReportLine) Fail("a line longer than a report line can be", line);
    if (line == kSpacerLine) {
      if (spacerPending_) Fail("two spacer lines in a row", line);
      spacerPending_ = true;
      return;
    }
    for (Statistic statistic : kStatistics) {
      if (line == ReportOf(statistic).title) {
        StartSection(ReportOf(statistic), line);
        return;
      }
    }
    CheckDifference(line);
  }

  void Finish(const Analysis& analysis) const {
    if (analysis.outcome == ReadOutcome::OpenFailed) Fail("a file that exists was not read");
    if (analysis.outcome == ReadOutcome::DefaultDataSet && lines_ != 0) {
      Fail("lines written for a map with the game's own unit data");
    }
    if (spacerPending_) Fail("the report ends with a spacer line");
    if (section_ != nullptr && sectionDifferences_ == 0) Fail("the last section has no lines");
    // A map with more unit-data sections than are read is never clean.
    const bool unread = PudFile(inputPath.c_str()).UnitData().more;
    if (analysis.discrepancies != (differences_ != 0 || unread)) {
      Fail(analysis.discrepancies ? "discrepancies announced without a difference line"
                                  : "difference lines written for a clean map");
    }
  }

 private:
  void StartSection(const StatisticReport& report, std::string_view title) {
    if (section_ != nullptr) {
      if (sectionDifferences_ == 0) Fail("a section with no lines before", title);
      // A statistic not after the last one starts the report of the next unit-data section.
      if (report.statistic <= section_->statistic && ++reports_ > kSectionsKept) {
        Fail("more unit-data reports than sections read", title);
      }
    }
    if (spacerPending_ != report.spaced) {
      Fail(report.spaced ? "no spacer line before" : "a spacer line before", title);
    }
    spacerPending_ = false;
    section_ = &report;
    sectionDifferences_ = 0;
    nextRow_ = 0;
  }

  // NAME, one to three tabs, the standard value, a tab, the map's value.
  void CheckDifference(std::string_view line) {
    if (section_ == nullptr) Fail("a line before any title", line);
    if (spacerPending_) Fail("a spacer line before a difference line", line);
    const std::size_t nameEnd = line.find('\t');
    const std::size_t tabsEnd = line.find_first_not_of('\t', nameEnd);
    const std::size_t valuesTab = line.find('\t', tabsEnd);
    if (nameEnd == 0 || nameEnd > kNameField || tabsEnd == std::string_view::npos ||
        tabsEnd - nameEnd > 3 || valuesTab == std::string_view::npos) {
      Fail("not a title, a spacer or a difference line", line);
    }
    const std::string_view name = line.substr(0, nameEnd);
    unsigned standard = 0;
    unsigned mapValue = 0;
    if (!ParseNumber(line.substr(tabsEnd, valuesTab - tabsEnd), standard) ||
        !ParseNumber(line.substr(valuesTab + 1), mapValue)) {
      Fail("values that are not two numbers", line);
    }
    if (standard == mapValue) Fail("a difference line of equal values", line);

    const unsigned scale = section_->scale;
    const unsigned storedMax = section_->statistic == Statistic::HitPoints ? 65535 : 255;
    if (mapValue % scale != 0 || mapValue / scale > storedMax) {
      Fail("a map value that no stored value gives", line);
    }
    // The units of a section come in the order of the table's rows, up to its end row.
    const StandardTable& table = StandardTableOf(section_->statistic);
    for (;; ++nextRow_) {
      if (nextRow_ == table.size() || (nextRow_ > 0 && table[nextRow_].name[0] == kEndMark)) {
        Fail("a unit not in the table, or out of its order", line);
      }
      const StandardRow& row = table[nextRow_];
      if (IsReportable(row.name) && name == row.name && standard == row.value * scale) break;
    }
    ++nextRow_;
    ++sectionDifferences_;
    ++differences_;
  }

  const StatisticReport* section_ = nullptr;
  int reports_ = 1;
  bool spacerPending_ = false;
  std::size_t nextRow_ = 0;  // the first row the section's next line may name
  int lines_ = 0;
  int sectionDifferences_ = 0;
  int differences_ = 0;
};

void RemoveInputFile() { std::remove(inputPath.c_str()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = (std::filesystem::temp_directory_path() / "pud_fuzzer-XXXXXX").string();
  const int descriptor = mkstemp(pattern.data());
  if (descriptor < 0) {
    std::perror("mkstemp");
    std::abort();
  }
  close(descriptor);
  inputPath = pattern;
  std::atexit(RemoveInputFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(inputPath.c_str(), "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
    std::perror(inputPath.c_str());
    std::abort();
  }
  ShapeChecker checker;
  checker.Finish(AnalysePud(inputPath.c_str(), checker));
  return 0;
}
