#pragma once
// What the load step promises about the pattern store, checked by the reader fuzz targets.

#include "pattern/pattern_store.h"

// After a successful load: 3 to 19001 points, every value of the pattern finite, the grid
// scalars within float range (the plot works in float), and every entry past the pattern
// still unset. sigUntouched: the format
// has no third column (.wyr), so sig must still be unset everywhere.
void requireLoadedPattern(const PatternStore& store, bool sigUntouched);

// The two stores hold the same bytes, arrays and scalars alike.
void requireSameStore(const PatternStore& a, const PatternStore& b, const char* promise);

// Back to the state the driver creates: arrays unset, no points, zero scalars.
void resetStore(PatternStore& store);
