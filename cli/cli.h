// The command-line checker: options, maps and exit status.
#pragma once

#include <string>
#include <vector>

#include "text_output.h"

inline constexpr int kExitClean = 0;
inline constexpr int kExitDiscrepancies = 1;
inline constexpr int kExitError = 2;

// Runs the checker on `arguments` (without the program name). `--latest` without a folder
// searches the folder SaveStartDir recorded. With `utf8Arguments` the arguments are in UTF-8 and
// name maps and folders by their wide form on Windows (see PudEntry); otherwise they are in the
// system's narrow encoding.
int RunCli(const std::vector<std::string>& arguments, TextOutput& out, TextOutput& err,
           bool utf8Arguments = false);
