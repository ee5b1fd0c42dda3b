#pragma once
// The header line of a text pattern that names its columns ("2theta counts",
// "# d-spacing intensity esd", "Energy,Counts"), which alone may say what the x axis is: a
// free comment above the data ("# Energy: 17.48 keV", "# Phi scan exported") never does.

#include <optional>
#include <string>

// The name of the x axis when the line names `columns` columns: one word over each column
// (comment marks and units in brackets left out), none a number, and the second word an
// intensity (counts, cps, intensity, I, y, ...). Nothing for any other line.
std::optional<std::string> columnHeaderAxis(const std::string& line, int columns);
