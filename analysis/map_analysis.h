// The whole analysis of a map: the seven comparisons, and on request every field, the starts and
// what each start reaches.
#pragma once

#include "findings.h"
#include "pud_unit_data.h"

// The seven comparisons and, with `allFields`, the thorough check, the start comparison and the
// reach comparison after them: then any field that differs, or any start or reach, makes the map
// not clean.
Analysis AnalyseMap(PudFile& file, Findings& findings, bool allFields);
