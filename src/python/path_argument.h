#pragma once
// A file name argument: a str or any os.PathLike.

#include <pybind11/pybind11.h>

#include <string>

std::string pathArgument(const pybind11::object& path);
