// The seven comparisons of a map's unit data with the standard tables.
#pragma once

#include "findings.h"
#include "pud_unit_data.h"

// How one statistic is compared and shown.
struct StatisticReport {
  Statistic statistic;
  const char* key;    // the statistic's name in machine-readable output
  const char* field;  // the unit data's field that holds it, as the thorough check names it
  const char* title;  // the title over its differences
  bool spaced;        // whether a spacer goes before the title
  unsigned scale;     // stored value times this is the value shown
};

const StatisticReport& ReportOf(Statistic statistic);

// Compares one statistic of a unit-data section; true when anything differs.
bool CompareStat(Statistic statistic, const PudUnitData& data, DifferenceSink& sink);

// Whether CompareStat reports `mapValue` (as shown: costs in full) of `unit` as a difference.
bool ReportsDifference(Statistic statistic, int unit, unsigned mapValue);

// The seven comparisons for each unit-data section of the map in turn. The map is clean only
// when every section is; one with more sections than are kept is never clean.
Analysis AnalyseUnitData(PudFile& file, DifferenceSink& sink);
