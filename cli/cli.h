// The command-line checker: options, maps and exit status.
#pragma once

#include <string>
#include <vector>

#include "text_output.h"

inline constexpr int kExitClean = 0;
inline constexpr int kExitDiscrepancies = 1;
inline constexpr int kExitError = 2;

// Runs the checker on `arguments` (without the program name). `--latest` without a folder
// searches the folder SaveStartDir recorded.
int RunCli(const std::vector<std::string>& arguments, TextOutput& out, TextOutput& err);
