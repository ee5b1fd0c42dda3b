#pragma once
// The pattern as the suggestion estimators see it: counts and their counting noise in double
// precision, indexed as in the pattern store.

#include <vector>

#include "pattern/pattern_store.h"

struct PatternSamples {
    std::vector<double> tth;
    std::vector<double> cts;
    std::vector<double> sig;  // the counting noise of each point, always positive
    // Variance per count: sig^2 = varianceScale * counts for Poisson counts, whatever
    // normalisation the pattern went through.
    double varianceScale = 1.0;

    int size() const { return static_cast<int>(cts.size()); }

    // The noise of the counts at a background level of bg counts (never below one count).
    double noiseAt(double bg) const;
};

// Copies points 0..ilast. sig is taken from the file when it holds a positive finite value,
// else sqrt(cts) (1 for counts of 0 or less), as for Poisson counts.
PatternSamples samplesOf(const PatternStore& store);

// Two-theta at a fractional index, between the neighbouring points.
double tthAt(const PatternSamples& samples, double index);
