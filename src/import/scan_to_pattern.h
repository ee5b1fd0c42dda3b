#pragma once
// Makes a scan read from an instrument or text file the pattern of the store, with the
// checks a pattern must pass and one console line for each thing worth saying.

#include "import/imported_scan.h"
#include "pattern/pattern_store.h"

class Console;

// bin: 1, or the number of neighbours to sum (xrdconvert --bin). True when the pattern
// loaded; false after saying why (not 2theta, not finite, too long, too short, not in order).
bool fillPatternFromScan(const ImportedScan& scan, int bin, Console& console, PatternStore& store);
