#include "map_analysis.h"

#include "start_comparison.h"
#include "start_reach.h"
#include "statistic_comparison.h"
#include "thorough_check.h"

Analysis AnalyseMap(PudFile& file, Findings& findings, bool allFields) {
  Analysis analysis = AnalyseUnitData(file, findings);
  if (!allFields) return analysis;
  const bool changed = CheckAllFields(file, findings);
  const bool unequal = CompareStarts(file, findings);
  const bool unequalReach = CompareReach(file, findings);
  analysis.discrepancies = analysis.discrepancies || changed || unequal || unequalReach;
  return analysis;
}
