#pragma once
// suggest(): xrdsuggest's background points and peak positions.

#include "python/py_pattern.h"

void bindSuggest(pybind11::module_& m);
