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
// system lists them. False when the folder cannot be searched. With `utf8` the folder is in UTF-8
// and each map is named in UTF-8 too (on Windows; elsewhere names are bytes either way).
bool ForEachPud(const char* folder, PudVisitor& visitor, bool utf8 = false);

// Offers each map it visits to the chooser of the newest.
struct LatestPudVisitor final : PudVisitor {
  void Visit(const PudEntry& entry) override { latest.Offer(entry); }
  LatestPud latest;
};

// How many listed maps of the current directory hold anything: a map still being written at
// 0 bytes does not count yet.
int CountPuds();
