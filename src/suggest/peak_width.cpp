#include "suggest/peak_width.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kShapeSigmas = 50.0;
constexpr double kTenth = 0.1;

// Fractional index where the net counts fall to `level` walking from apex by `step` (+1 or
// -1); -1 when they do not within maxSpan points.
double crossing(const std::vector<double>& counts, const std::vector<double>& background, int apex,
                int step, double level, int maxSpan) {
    const int n = static_cast<int>(counts.size());
    double previous = counts[apex] - background[apex];
    for (int k = 1; k <= maxSpan; ++k) {
        const int i = apex + step * k;
        if (i < 0 || i >= n) return -1.0;
        const double net = counts[i] - background[i];
        if (net <= level) return k - 1 + (previous - level) / (previous - net);
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
    const double half = left < 0.0 ? right : right < 0.0 ? left : std::min(left, right);
    width.fwhm = 2.0 * half;
    if (net < kShapeSigmas * samples.noiseAt(background[apex]) || left < 0.0 || right < 0.0)
        return width;
    const double tenthLeft = crossing(counts, background, apex, -1, kTenth * net, maxSpan);
    const double tenthRight = crossing(counts, background, apex, +1, kTenth * net, maxSpan);
    if (tenthLeft > 0.0 && tenthRight > 0.0)
        width.eta = etaOfRatio((tenthLeft + tenthRight) / (left + right));
    return width;
}

double pseudoVoigt(double d, double eta) {
    return eta / (1.0 + 4.0 * d * d) + (1.0 - eta) * std::exp(-4.0 * std::log(2.0) * d * d);
}
