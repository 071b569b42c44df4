#include "report_lines.h"

#include <algorithm>

#include "map_analysis.h"

void AddReportLine(std::string_view name, std::string_view standard, std::string_view mapValue,
                   ReportSink& sink) {
  // The name, then "\t\t\t" up to 8 characters, "\t\t" up to 18, "\t" from 19 on. A name
  // fills at most its table field.
  const std::size_t length = std::min(name.size(), kNameField);
  const std::size_t tabs = length >= 19 ? 1 : length >= 9 ? 2 : 3;
  char line[kMaxReportLine];
  char* end = std::fill_n(std::copy_n(name.data(), length, line), tabs, '\t');
  end = std::copy_n(standard.data(), std::min(standard.size(), kValueDigits), end);
  *end++ = '\t';
  end = std::copy_n(mapValue.data(), std::min(mapValue.size(), kValueDigits), end);
  sink.AddLine(std::string_view(line, static_cast<std::size_t>(end - line)));
}

void ReportLines::BeginGroup(const ReportGroup& group) {
  if (group.spaced) sink_.AddLine(kSpacerLine);
  sink_.AddLine(group.title);
}

void ReportLines::AddRow(const ReportRow& row) {
  AddReportLine(row.storedName, row.standard, row.value, sink_);
}

Analysis AnalysePud(PudFile& file, ReportSink& sink, bool allFields) {
  ReportLines lines(sink);
  ReportWalk walk(lines);
  return AnalyseMap(file, walk, allFields);
}

Analysis AnalysePud(const char* pudName, ReportSink& sink, bool utf8Name, bool allFields) {
  PudFile file(pudName, utf8Name);
  if (!file.IsOpen()) return {ReadOutcome::OpenFailed, false};
  return AnalysePud(file, sink, allFields);
}
