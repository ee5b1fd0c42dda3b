#pragma once

#include <pybind11/pybind11.h>

// The regions and point files the programs share: regions_from, read_regions, write_points.
void bindRegions(pybind11::module_& m);
