// Writes a WinHelp 4 help file (.hlp): uncompressed, 4 KiB topic blocks, with the internal files
// |CONTEXT, |CTXOMAP (empty), |FONT, |SYSTEM, |TOPIC and |TTLBTREE.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "help_source.h"

// What a character of a context ID adds to its hash; 0 for a character an ID may not hold.
unsigned ContextCharCode(char c);

// The hash under which WinHelp looks up a context ID; letters count without regard to case.
std::int32_t ContextHash(std::string_view id);

// The whole file. `buildTime` (seconds since 1970) tells WinHelp when the file changed.
std::vector<std::uint8_t> BuildHelpFile(const HelpDocument& document, std::uint32_t buildTime);
