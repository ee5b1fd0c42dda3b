#pragma once
// The module's pattern: the data the libraries read or built, shared (never changed once
// made, so that a fit on another thread reads it safely), with where it came from.

#include <pybind11/pybind11.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "import/import_readers.h"
#include "python/pattern_data.h"

struct PyPattern {
    std::shared_ptr<const PatternData> data;
    std::string name;    // the file read, or the name given
    std::string format;  // the source format: "xy", "wyr", ..., "text", "arrays"
    std::vector<std::string> messages;
};

// A radiation argument: None, a Radiation, or an anode name ("Cu"); none for None.
std::optional<Radiation> radiationArgument(const pybind11::object& radiation);

// An fmt argument: None (told by the file's name, "" then), an instrument format name or
// "raw" (a Bruker or Philips .raw file, told by its first bytes).
std::string formatArgument(const std::optional<std::string>& fmt);

void bindPattern(pybind11::module_& m);
