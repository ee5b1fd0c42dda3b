#pragma once
// The width and tail weight of one peak, measured on the counts around its apex: every window
// and filter around a peak is scaled by its own width, never by one width for the pattern.

#include <vector>

#include "suggest/pattern_samples.h"

// The Lorentzian share assumed for the tails of a peak too weak to show its own: that of
// typical laboratory peaks.
inline constexpr double kTypicalEta = 0.5;

struct PeakWidth {
    double fwhm = 0.0;         // points; 0 when neither side comes down to half height
    double eta = kTypicalEta;  // the Lorentzian share of a pseudo-Voigt of the same tails
};

// Twice the half width at half height on the side that comes down first (a neighbour or a
// stronger peak's flank widens only the other side), within maxSpan points. counts: smoothed
// a little, so that noise does not cross half height early. eta from the full widths at a
// tenth and at half height, for peaks at least 50 counting deviations high, whose tenth the
// noise does not blur; an asymmetric tail widens the tenth, so eta errs towards longer tails.
PeakWidth measurePeakWidth(const PatternSamples& samples, const std::vector<double>& counts,
                           const std::vector<double>& background, int apex, int maxSpan);

// A pseudo-Voigt of unit height with Lorentzian share eta, d FWHMs from its apex.
double pseudoVoigt(double d, double eta);
