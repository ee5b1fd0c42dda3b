#pragma once
// A plan from an xrdpick *.fit results file: one region per block of an accepted fit, its
// peaks' positions, intensities, FWHMs, eta and W/R as start values. The background ends
// lie kEndsInFwhms FWHMs outside the outer peaks: below the lowest reach of any peak
// (position - 4 FWHM) and above the highest (position + 4 FWHM).

#include <istream>
#include <string>

#include "fit/region.h"

inline constexpr double kEndsInFwhms = 4.0;

// Data lines hold six numbers (tth, Iint, FWHM, eta, w/r, chi^2); a line starting "#-"
// closes a block, other '#' lines and blank lines are skipped; a last block without its
// separator still counts. The first line that cannot be read makes the error, which
// names the file (as `name`) and the line number.
PlanRead readFitBlocks(std::istream& in, const std::string& name);
