#pragma once
// A fitted region as the module keeps it: the fit, what names it in the table, and the
// region's points it was fitted to, for the curves.

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "fit/region.h"
#include "fit/region_fit.h"
#include "pattern/pattern_store.h"

struct PyFit {
    std::string pattern;
    Region region;
    RegionFit fit;
    std::vector<double> tth;  // the region's points, as read
    std::vector<double> obs;  // the observed counts there
};

// The record of `fit` of `region`, its points taken from `store` (none: a pattern not read).
PyFit fitRecord(std::string pattern, Region region, RegionFit fit, const PatternStore* store);

// The record as a tuple of plain values, and back, for pickle and copy.
pybind11::tuple fitState(const PyFit& fit);
PyFit fitFromState(const pybind11::tuple& state);
