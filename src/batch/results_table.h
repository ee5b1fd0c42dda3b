#pragma once
// The results table of a series fit: tab-separated, one header line, one row per peak per
// region per pattern. Values are printed as the *.fit file prints them ("%f"), standard
// errors with three significant digits; a fit that did not run shows "nan", and so do the
// spacings d and d_se of a pattern whose radiation is not known, and the error of a value
// that was not free at the solution. The flags close the row.

#include <string>

#include "fit/region.h"
#include "fit/region_fit.h"

// The numbers of one row: NaN for every value and error of a fit that did not run (its
// iterations 0), and for d and d_se where the radiation is not known.
struct TableRow {
    double tth, tthSe, intensity, intensitySe, fwhm, fwhmSe, eta, wor, chi2;
    int iterations;
    FitStatus status;
    double d, dSe;
    std::string flags;  // what a careful reader should look at, comma-separated
};

// The row of peak `peak` (from 0) of a region's fit.
TableRow tableRow(const RegionFit& fit, int peak);

// The header line with its line end.
std::string tableHeader();

// The rows of one region of one pattern, each with its line end; `regionNumber` counts
// from 1 in plan order.
std::string tableRows(const std::string& pattern, int regionNumber, const Region& region,
                      const RegionFit& fit);
