// Names of maps as Windows gives them, in wide characters.
#pragma once

#include "latest_pud.h"

// Names the entry by the wide `name`: as the ANSI code page spells it, exactly, when it can and
// `utf8` does not ask for UTF-8; otherwise in UTF-8, to be opened by its wide form. False when the
// name fits neither way.
bool SetPudNameFromWide(PudEntry& entry, const wchar_t* name, bool utf8 = false);
