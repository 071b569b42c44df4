// The whole analysis of a map: the seven comparisons, and on request every field and the starts.
#pragma once

#include "findings.h"
#include "pud_unit_data.h"

// The seven comparisons and, with `allFields`, the thorough check and the start comparison after
// them: then any field that differs, or any start, makes the map not clean.
Analysis AnalyseMap(PudFile& file, Findings& findings, bool allFields);
