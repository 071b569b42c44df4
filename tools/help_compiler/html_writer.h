// Writes the help as one HTML page, for systems without a WinHelp viewer: the topics in order,
// each headed by its title, so that the contents topic with its links comes first; a jump is a
// link to its topic's heading.
#pragma once

#include <string>

#include "help_source.h"

// The whole page, in Windows-1252 like the document's text.
std::string BuildHelpPage(const HelpDocument& document);
