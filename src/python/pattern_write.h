#pragma once
// write(): a pattern in one of the processed formats, saved whole or not at all.

#include <string>

#include "pattern/pattern_store.h"

// Writes the store in format 'x', 'w', 'd' or 'g' to path, replacing a file there only once
// the new one is complete; title serves the GSAS format only. Raises WriteError
// "PATH: cannot be written: REASON" with the system's reason, or when a value does not fit
// its fixed field (a count of 10^7 or more in .wyr, .dat, .gda): the file would not read back
// as the pattern, so none is written.
void writePattern(const PatternStore& store, char format, const std::string& path,
                  const std::string& title);
