#pragma once
// The arrays given to Pattern() as the scan a text file of those columns gives, checked
// point by point so that a message names the array and the index at fault.

#include <pybind11/numpy.h>

#include <optional>

#include "import/imported_scan.h"

using Column = pybind11::array_t<double, pybind11::array::c_style | pybind11::array::forcecast>;

// Raises PatternError for arrays that are not one-dimensional, not of one length, hold a
// value that is not a number (NaN, infinite or huge) or a sig of 0 or below.
ImportedScan scanOfArrays(const Column& tth, const Column& counts,
                          const std::optional<Column>& sig);
