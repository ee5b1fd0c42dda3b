#pragma once

#include <pybind11/pybind11.h>

// xrdconvert's steps on a pattern, each giving a new Pattern: strip_ka2, regrid, bin, merge.
void bindPatternSteps(pybind11::module_& m);
