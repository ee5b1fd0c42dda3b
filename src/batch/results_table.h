#pragma once
// The results table of a series fit: tab-separated, one header line, one row per peak per
// region per pattern. Values are printed as the *.fit file prints them ("%f"), standard
// errors with three significant digits; a fit that did not run shows "nan", and so do the
// spacings d and d_se of a pattern whose radiation is not known.

#include <string>

#include "fit/region.h"
#include "fit/region_fit.h"

// The header line with its line end.
std::string tableHeader();

// The rows of one region of one pattern, each with its line end; `regionNumber` counts
// from 1 in plan order.
std::string tableRows(const std::string& pattern, int regionNumber, const Region& region,
                      const RegionFit& fit);
