#pragma once
// The observed lines that a cell is indexed from and refined on.

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pattern/pattern_store.h"

struct ObservedLine {
    double tth = 0.0;             // degrees, the Kα1 line
    double tthSe = std::nan("");  // its standard error where the source knows it
};

struct LineSet {
    std::vector<ObservedLine> lines;  // ascending two-theta
    std::optional<double> lambda;     // Å, the Kα1 wavelength; none when nothing states it
    std::string radiation;            // the one line saying which radiation and whence
    std::shared_ptr<const PatternStore> pattern;  // the pattern the lines were fitted on, if any
};

// Whether every line has a standard error to weight it by.
bool everyLineWeighted(const LineSet& set);
