// The three ways the command-line checker shows its reports.
#pragma once

#include <memory>
#include <string>

#include "findings.h"
#include "text_output.h"

// Collects what the checks find in one map at a time and writes it once the map has been read,
// so that a map that cannot be read leaves nothing but its error.
class MapView : public Findings {
 public:
  virtual ~MapView() = default;
  virtual void BeginMap(const std::string& file) = 0;
  // `analysis.discrepancies` covers every check that ran.
  virtual void EndMap(const Analysis& analysis) = 0;
  // Called once after the last map.
  virtual void Finish() {}
};

enum class ViewKind { Human, Raw, Json };

// `nameEachMap` puts each map's name before its report in the human and raw views; `allFields`
// gives each JSON map its list of changed fields and its start comparison.
std::unique_ptr<MapView> MakeView(ViewKind kind, TextOutput& out, bool nameEachMap, bool allFields);
