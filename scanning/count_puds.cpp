#include "pud_search.h"

int CountPuds() {
  int count = 0;
  ForEachPud("", [&](const PudEntry& entry) { count += entry.size > 0 ? 1 : 0; });
  return count;
}
