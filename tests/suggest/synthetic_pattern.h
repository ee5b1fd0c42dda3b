#pragma once
// Patterns of known truth for the suggestion tests and the quality scorecard: a background
// and asymmetric pseudo-Voigt peaks of xrdpick's own profile, each of its own width, with
// Poisson counts from a fixed seed.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pattern/pattern_store.h"
#include "pattern/radiation.h"

struct TruePeak {
    double position;  // degrees
    double sigmas;    // net height in counting deviations of the background there
    double fwhm;      // degrees
    // Set by the generator: its counts above the background within one FWHM of its place,
    // in standard errors of their sum.
    double areaSigmas = 0.0;
};

struct PatternRecipe {
    std::string name;
    double tthmin, tthmax, step;
    std::function<double(double)> background;
    std::vector<TruePeak> peaks;
    double eta = 0.5;  // Lorentzian share of every peak
    // A tube's Kα2 line beside every peak, at its ratio; stated: the pattern's radiation
    // says so, and the truth is the Kα1 lines alone, else each companion is a peak too.
    std::optional<Radiation> tube{};
    bool tubeStated = false;
    std::vector<std::pair<double, double>> spikes{};  // two-theta, counts set after the noise
    bool noiseFree = false;                           // counts at the model, rounded
};

struct SyntheticPattern {
    std::string name;
    std::unique_ptr<PatternStore> store;
    std::vector<TruePeak> peaks;
    std::function<double(double)> background;
    std::vector<double> spikes;  // two-theta
};

SyntheticPattern generatePattern(const PatternRecipe& recipe, unsigned seed);

// 10 to 90 degrees at 0.02: a falling low-angle background with an amorphous hump, and
// peaks from 3 to 700 sigma, some of them in pairs two FWHMs apart.
PatternRecipe noisyRecipe();
// Narrow peaks (0.1 degrees) beside broad ones (1 to 2 degrees), one narrow on a broad one.
PatternRecipe mixedWidthsRecipe();
// 10 to 140 degrees, widths growing with angle by Caglioti's law from 0.13 to 0.6 degrees.
PatternRecipe cagliotiRecipe();
// Peaks 0.3 degrees from either end, one of them 17 sigma high.
PatternRecipe edgePeaksRecipe();
// 86 peaks one degree apart, FWHM 0.1, step 0.02.
PatternRecipe densePatternRecipe();
// One reflection 3000 sigma high with long tails, the others from 10 to 600 sigma.
PatternRecipe dominantPeakRecipe();
// A nanocrystalline phase (FWHM 1.4 to 2.8 degrees) with a few narrow peaks of a second
// phase, one on a broad peak's flank: broad peaks are the most.
PatternRecipe mostlyBroadRecipe();

// Pairs of peaks 0.8 and 1.2 degrees wide, two FWHMs apart or one, equal or 3 : 1.
PatternRecipe broadPairsRecipe();
// Cu Kα1/Kα2 doublets of lines 0.05 to 0.065 degrees wide, radiation not stated.
PatternRecipe resolvedDoubletsRecipe();
// Cu doublets of lines 0.2 degrees wide, merged, radiation stated.
PatternRecipe mergedDoubletsRecipe();
// One- and two-point spikes of up to 1e5 counts beside a few peaks.
PatternRecipe spikesRecipe();
// Peaks 0.3 to 1 degree wide whose apex stands 2 to 4.5 sigma high: 5 to 15 by area.
PatternRecipe weakBroadRecipe();
// Shoulders one FWHM from a peak three times as strong.
PatternRecipe shouldersRecipe();
// 100 degrees of counting noise on a sloping background.
PatternRecipe noiseOnlyRecipe();

// Every recipe above, the noisy one first.
std::vector<PatternRecipe> knownRecipes();

SyntheticPattern syntheticPattern(unsigned seed);  // the noisy recipe's pattern

// Writes the pattern as an .xy file, as xrdpick's writer would.
void writeXy(const PatternStore& store, const std::string& name);
