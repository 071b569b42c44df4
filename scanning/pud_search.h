// The directory search for maps: every "*.pud" of a folder that is a plain, visible file.
#pragma once

#include <functional>
#include <string>

#include "latest_pud.h"

// Calls `visit` for each listed map of `folder` (empty: the current directory), in the order the
// system lists them. False when the folder cannot be searched.
bool ForEachPud(const std::string& folder, const std::function<void(const PudEntry&)>& visit);

// How many listed maps of the current directory hold anything: a map still being written at
// 0 bytes does not count yet.
int CountPuds();

// The path of the file `name` in `folder` (empty: the current directory).
std::string PathInFolder(const std::string& folder, const std::string& name);
