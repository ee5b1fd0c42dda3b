#pragma once
// write(): a pattern in one of the processed formats, saved whole or not at all.

#include <string>

#include "pattern/pattern_store.h"

// Writes the store in format 'x', 'w', 'd' or 'g' to path, replacing a file there only once
// the new one is complete; title serves the GSAS format only. Returns the number of values
// too wide for their fixed fields; raises WriteError "PATH: cannot be written: REASON" with
// the system's reason.
int writePattern(const PatternStore& store, char format, const std::string& path,
                 const std::string& title);
