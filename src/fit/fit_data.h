#pragma once
// The region of a fit as the engine's data points.

#include <vector>

#include "lsq/fit_param.h"
#include "pattern/pattern_store.h"

// One point per pattern point from `first` to `last`, weighted by 1/sig. A point with
// negative counts has weight 0 and takes no part in the fit; so has a point whose sig gives
// no finite weight (zero), which would otherwise outweigh the whole region. Patterns read
// without sig hold the unset value there, which weights every point alike.
std::vector<DataPoint> regionData(const PatternStore& pattern, int first, int last);
