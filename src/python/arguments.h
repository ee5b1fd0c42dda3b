#pragma once
// Python values taken as the libraries' types. A value of the wrong type is a TypeError that
// names the argument, never pybind11's "Unable to cast" RuntimeError.

#include <pybind11/pybind11.h>

#include <string>

// The name of the value's type, for messages: "float", "list", ...
std::string typeName(const pybind11::handle& value);

// True for what names one file: a str, bytes or any os.PathLike (bytes are then refused).
bool isPath(const pybind11::handle& value);

// A file name argument: a str or any os.PathLike.
std::string pathArgument(const pybind11::handle& path, const std::string& name);

// The value as T; `expected` says what the argument must be ("a number").
template <typename T>
T argumentAs(const pybind11::handle& value, const std::string& name, const char* expected) {
    try {
        return value.cast<T>();
    } catch (const pybind11::cast_error&) {
        throw pybind11::type_error(name + " must be " + expected + ", not " + typeName(value));
    }
}
