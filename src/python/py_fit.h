#pragma once
// fit() and fit_series(): the fits of xrdfit, one region or a whole series.

#include "python/py_pattern.h"

void bindFit(pybind11::module_& m);
