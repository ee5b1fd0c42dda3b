#pragma once
// index() and refine_cell(): xrdcell's indexing and cell refinement.

#include <pybind11/pybind11.h>

void bindCell(pybind11::module_& m);
