// The directory search for maps: every "*.pud" of a folder that is a plain, visible file.
#pragma once

#include "latest_pud.h"

// Receives the maps a search lists.
class PudVisitor {
 public:
  virtual void Visit(const PudEntry& entry) = 0;

 protected:
  ~PudVisitor() = default;
};

// Calls `visitor` for each listed map of `folder` ("": the current directory), in the order the
// system lists them. False when the folder cannot be searched.
bool ForEachPud(const char* folder, PudVisitor& visitor);

// Offers each map it visits to the chooser of the newest.
struct LatestPudVisitor final : PudVisitor {
  void Visit(const PudEntry& entry) override { latest.Offer(entry); }
  LatestPud latest;
};

// How many listed maps of the current directory hold anything: a map still being written at
// 0 bytes does not count yet.
int CountPuds();
