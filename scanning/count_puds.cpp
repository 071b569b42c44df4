#include "pud_search.h"

namespace {

struct NonEmptyCounter final : PudVisitor {
  void Visit(const PudEntry& entry) override { count += entry.size > 0 ? 1 : 0; }
  int count = 0;
};

}  // namespace

int CountPuds() {
  NonEmptyCounter counter;
  ForEachPud("", counter);
  return counter.count;
}
