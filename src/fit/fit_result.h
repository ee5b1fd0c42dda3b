#pragma once
// What one fit leaves for its evaluation and for the records of an accepted fit: the
// calculated curve and the difference over the region, and each peak as refined.

#include <array>
#include <vector>

#include "fit/fit_selection.h"
#include "lsq/lsq_state.h"

struct FittedPeak {
    double position;
    double intensity;
    double fwhm;  // its own, or the common FWHM
    int marker;   // the region point at or just below the position, the nearest end beyond
};

struct FitResult {
    std::vector<float> calc;  // the model at each region point
    std::vector<float> diff;  // observed minus calculated
    // With Kα2 companions: the background plus the companions alone at each region point, so
    // that a picture can show them apart; otherwise empty.
    std::vector<float> kalpha2;
    std::array<FittedPeak, kMaxPeaks> peaks{};
    int peakCount = 0;
    double eta = 0.0;
    double wor = 0.0;    // W/R
    double chisq = 0.0;  // reduced: phi_new / nu
    double lowBkgnd = 0.0;
    double highBkgnd = 0.0;

    double meanBackground() const { return (lowBkgnd + highBkgnd) / 2; }
    float heightAt(const FittedPeak& peak) const { return calc[peak.marker]; }
};

// Reads the refined parameters and evaluates the model once more at them, so that the
// curve shown and stored belongs to the final values. tthmin and tthstep place the
// markers on the pattern grid; `firstIndex` is the pattern index of the first region point.
FitResult readFitResult(LsqState& lsq, int peakCount, int firstIndex, double tthmin,
                        double tthstep);
