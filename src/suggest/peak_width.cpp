#include "suggest/peak_width.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPeaksMeasured = 15;
constexpr double kStrongSigmas = 10.0;
constexpr double kShapeSigmas = 50.0;
constexpr double kSpikeWidth = 1.5;
constexpr double kTenth = 0.1;

// Fractional index where the net counts fall to `level` walking from apex by `step` (+1 or
// -1); -1 when they do not within maxSpan points.
double crossing(const PatternSamples& samples, const std::vector<double>& background, int apex,
                int step, double level, int maxSpan) {
    double previous = samples.cts[apex] - background[apex];
    for (int k = 1; k <= maxSpan; ++k) {
        const int i = apex + step * k;
        if (i < 0 || i >= samples.size()) return -1.0;
        const double net = samples.cts[i] - background[i];
        if (net <= level) return apex + step * (k - 1 + (previous - level) / (previous - net));
        previous = net;
    }
    return -1.0;
}

// Full width, in points, where the peak at apex stands at `fraction` of its height; 0 when
// a side does not come down that far within maxSpan points.
double widthAt(const PatternSamples& samples, const std::vector<double>& background, int apex,
               double fraction, int maxSpan) {
    const double level = fraction * (samples.cts[apex] - background[apex]);
    const double left = crossing(samples, background, apex, -1, level, maxSpan);
    const double right = crossing(samples, background, apex, +1, level, maxSpan);
    if (left < 0.0 || right < 0.0) return 0.0;
    return right - left;
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

bool isLocalMaximum(const std::vector<double>& v, int i) {
    return v[i] >= v[i - 1] && v[i] > v[i + 1];
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace

PeakShape typicalPeakShape(const PatternSamples& samples, const std::vector<double>& background) {
    const int n = samples.size();
    auto net = [&](int i) { return samples.cts[i] - background[i]; };
    auto sigmas = [&](int i) { return net(i) / samples.noiseAt(background[i]); };
    std::vector<int> strong;
    for (int i = 1; i + 1 < n; ++i)
        if (isLocalMaximum(samples.cts, i) && sigmas(i) >= kStrongSigmas) strong.push_back(i);
    std::sort(strong.begin(), strong.end(), [&](int a, int b) { return net(a) > net(b); });

    const int maxSpan = std::max(n / 10, 5);
    std::vector<double> widths;
    std::vector<std::pair<double, double>> measured;  // spans already taken by a peak
    double eta = -1.0;
    for (const int apex : strong) {
        if (static_cast<int>(widths.size()) == kPeaksMeasured) break;
        const bool inside = std::any_of(measured.begin(), measured.end(), [&](const auto& span) {
            return apex >= span.first && apex <= span.second;
        });
        if (inside) continue;
        const double fwhm = widthAt(samples, background, apex, 0.5, maxSpan);
        if (fwhm <= 0.0) continue;
        measured.emplace_back(apex - 2.0 * fwhm, apex + 2.0 * fwhm);
        if (fwhm < kSpikeWidth) continue;
        widths.push_back(fwhm);
        const double tenth = widthAt(samples, background, apex, kTenth, maxSpan);
        if (sigmas(apex) >= kShapeSigmas && tenth > 0.0)
            eta = std::max(eta, etaOfRatio(tenth / fwhm));
    }
    PeakShape shape;
    if (!widths.empty()) shape.fwhm = median(widths);
    if (eta >= 0.0) shape.eta = eta;
    return shape;
}
