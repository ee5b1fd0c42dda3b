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
    // The half widths at half height towards lower and higher index, points: the broad side
    // of an asymmetric peak reaches farther. A side that does not come down takes the other's.
    double halfBefore = 0.0;
    double halfAfter = 0.0;
};

// Twice the half width at half height on the side that comes down first (a neighbour, a
// stronger peak's flank or the axial divergence's long low-angle side widens only the
// other), within maxSpan points. counts: smoothed a little, so that noise does not cross
// half height early. eta from that side's widths at a tenth and at half height, for peaks at
// least 50 counting deviations high, whose tenth the noise does not blur: the other side's
// tenth, stretched by the asymmetry, would take its shoulder for Lorentzian tails.
PeakWidth measurePeakWidth(const PatternSamples& samples, const std::vector<double>& counts,
                           const std::vector<double>& background, int apex, int maxSpan);

// A pseudo-Voigt of unit height with Lorentzian share eta, d FWHMs from its apex.
double pseudoVoigt(double d, double eta);

// The same for a peak of this width, `offset` points from its apex (negative: towards lower
// index), each side with its own half width.
double profileShare(const PeakWidth& width, double offset);
