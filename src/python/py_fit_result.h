#pragma once

#include <pybind11/pybind11.h>

// The classes of a fit's results: Peak (a row of xrdfit's table) and FitResult.
void bindFitResult(pybind11::module_& m);
