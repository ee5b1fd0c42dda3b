#pragma once
// Single-precision values as Python sees them.

#include <pybind11/numpy.h>

#include <vector>

// The double of the shortest decimal that reads back as `value` (30.05, not 30.049999237...).
double asRead(float value);

// numpy float64 arrays of the values; single-precision ones as read.
pybind11::array_t<double> doubles(const std::vector<double>& values);
pybind11::array_t<double> doubles(const std::vector<float>& values);
