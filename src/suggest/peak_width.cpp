#include "suggest/peak_width.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPeaksMeasured = 15;
constexpr double kStrongSigmas = 10.0;
constexpr double kSpikeWidth = 1.5;

// Fractional index where the net counts cross `half` walking from apex by `step` (+1 or -1);
// -1 when they do not within maxSpan points.
double halfCrossing(const PatternSamples& samples, const std::vector<double>& background, int apex,
                    int step, double half, int maxSpan) {
    double previous = samples.cts[apex] - background[apex];
    for (int k = 1; k <= maxSpan; ++k) {
        const int i = apex + step * k;
        if (i < 0 || i >= samples.size()) return -1.0;
        const double net = samples.cts[i] - background[i];
        if (net <= half) return apex + step * (k - 1 + (previous - half) / (previous - net));
        previous = net;
    }
    return -1.0;
}

bool isLocalMaximum(const std::vector<double>& v, int i) {
    return v[i] >= v[i - 1] && v[i] > v[i + 1];
}

}  // namespace

double measuredFwhm(const PatternSamples& samples, const std::vector<double>& background, int apex,
                    int maxSpan) {
    const double half = 0.5 * (samples.cts[apex] - background[apex]);
    const double left = halfCrossing(samples, background, apex, -1, half, maxSpan);
    const double right = halfCrossing(samples, background, apex, +1, half, maxSpan);
    if (left < 0.0 || right < 0.0) return 0.0;
    return right - left;
}

double typicalFwhmPoints(const PatternSamples& samples, const std::vector<double>& background) {
    const int n = samples.size();
    std::vector<int> strong;
    for (int i = 1; i + 1 < n; ++i) {
        const double net = samples.cts[i] - background[i];
        if (isLocalMaximum(samples.cts, i) && net >= kStrongSigmas * samples.noiseAt(background[i]))
            strong.push_back(i);
    }
    std::sort(strong.begin(), strong.end(), [&](int a, int b) {
        return samples.cts[a] - background[a] > samples.cts[b] - background[b];
    });
    const int maxSpan = std::max(n / 10, 5);
    std::vector<double> widths;
    std::vector<std::pair<double, double>> measured;  // spans already taken by a peak
    for (const int apex : strong) {
        if (static_cast<int>(widths.size()) == kPeaksMeasured) break;
        const bool inside = std::any_of(measured.begin(), measured.end(), [&](const auto& span) {
            return apex >= span.first && apex <= span.second;
        });
        if (inside) continue;
        const double fwhm = measuredFwhm(samples, background, apex, maxSpan);
        if (fwhm <= 0.0) continue;
        measured.emplace_back(apex - 2.0 * fwhm, apex + 2.0 * fwhm);
        if (fwhm >= kSpikeWidth) widths.push_back(fwhm);
    }
    if (widths.empty()) return kNoPeakFwhm;
    const auto middle = widths.begin() + widths.size() / 2;
    std::nth_element(widths.begin(), middle, widths.end());
    return *middle;
}
