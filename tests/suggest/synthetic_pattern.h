#pragma once
// Patterns of known truth for the suggestion tests: a curved background and asymmetric
// pseudo-Voigt peaks of xrdpick's own profile, with Poisson counts from a fixed seed.

#include <memory>
#include <vector>

#include "pattern/pattern_store.h"

struct TruePeak {
    double position;  // degrees
    double sigmas;    // net height in counting deviations of the background there
};

struct SyntheticPattern {
    std::unique_ptr<PatternStore> store;
    std::vector<TruePeak> peaks;
    double (*background)(double tth);
    double fwhm(double tth) const { return 0.08 + 0.001 * tth; }
};

// 10 to 90 degrees at 0.02: a falling low-angle background with an amorphous hump, and
// peaks from 3 to 700 sigma, some of them in pairs two FWHMs apart.
SyntheticPattern syntheticPattern(unsigned seed);

// Writes the pattern as an .xy file, as xrdpick's writer would.
void writeXy(const PatternStore& store, const std::string& name);
