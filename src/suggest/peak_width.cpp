#include "suggest/peak_width.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kShapeSigmas = 50.0;
constexpr double kTenth = 0.1;
constexpr double kNeighbourRise = 0.25;

// Fractional index where the net counts fall to `level` walking from apex by `step` (+1 or
// -1); -1 when they do not within maxSpan points, or climb again by kNeighbourRise of the
// apex's net counts first: the flank of a neighbour, which says nothing of this peak's width.
double crossing(const std::vector<double>& counts, const std::vector<double>& background, int apex,
                int step, double level, int maxSpan) {
    const int n = static_cast<int>(counts.size());
    const double top = counts[apex] - background[apex];
    double previous = top, lowest = top;
    for (int k = 1; k <= maxSpan; ++k) {
        const int i = apex + step * k;
        if (i < 0 || i >= n) return -1.0;
        const double net = counts[i] - background[i];
        if (net <= level) return k - 1 + (previous - level) / (previous - net);
        lowest = std::min(lowest, net);
        if (net - lowest > kNeighbourRise * top) return -1.0;
        previous = net;
    }
    return -1.0;
}

// Full width at a tenth over FWHM of a pseudo-Voigt: 1.82 for a Gaussian, 3 for a
// Lorentzian.
double tenthToHalfRatio(double eta) {
    double low = 0.5, high = 3.5;  // half widths in FWHMs
    for (int k = 0; k < 60; ++k) {
        const double x = 0.5 * (low + high);
        const double height =
            eta / (1.0 + 4.0 * x * x) + (1.0 - eta) * std::exp(-4.0 * std::log(2.0) * x * x);
        (height > kTenth ? low : high) = x;
    }
    return low + high;
}

// The eta whose ratio first reaches the measured one.
double etaOfRatio(double ratio) {
    for (int percent = 0; percent <= 100; ++percent)
        if (tenthToHalfRatio(percent / 100.0) >= ratio) return percent / 100.0;
    return 1.0;
}

}  // namespace

PeakWidth measurePeakWidth(const PatternSamples& samples, const std::vector<double>& counts,
                           const std::vector<double>& background, int apex, int maxSpan) {
    PeakWidth width;
    const double net = counts[apex] - background[apex];
    if (net <= 0.0) return width;
    const double left = crossing(counts, background, apex, -1, 0.5 * net, maxSpan);
    const double right = crossing(counts, background, apex, +1, 0.5 * net, maxSpan);
    if (left < 0.0 && right < 0.0) return width;
    width.halfBefore = left < 0.0 ? right : left;
    width.halfAfter = right < 0.0 ? left : right;
    const bool beforeFirst = width.halfBefore <= width.halfAfter;
    width.fwhm = 2.0 * (beforeFirst ? width.halfBefore : width.halfAfter);
    if (net < kShapeSigmas * samples.noiseAt(background[apex]) || left < 0.0 || right < 0.0)
        return width;
    const double tenth =
        crossing(counts, background, apex, beforeFirst ? -1 : +1, kTenth * net, maxSpan);
    if (tenth > 0.0) width.eta = etaOfRatio(2.0 * tenth / width.fwhm);
    return width;
}

double pseudoVoigt(double d, double eta) {
    return eta / (1.0 + 4.0 * d * d) + (1.0 - eta) * std::exp(-4.0 * std::log(2.0) * d * d);
}

double profileShare(const PeakWidth& width, double offset) {
    const double half = std::max(offset < 0.0 ? width.halfBefore : width.halfAfter, 0.5);
    return pseudoVoigt(0.5 * offset / half, width.eta);
}
