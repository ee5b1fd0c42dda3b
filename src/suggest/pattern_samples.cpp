#include "suggest/pattern_samples.h"

#include <algorithm>
#include <cmath>

namespace {

// The median of the per-point ratios sig^2 / cts, which is 1 for raw Poisson counts and the
// scale factor for counts normalised to a monitor; 1 when no point counts anything.
double medianVarianceScale(const PatternSamples& samples) {
    std::vector<double> ratios;
    for (int i = 0; i < samples.size(); ++i)
        if (samples.cts[i] >= 1.0)
            ratios.push_back(samples.sig[i] * samples.sig[i] / samples.cts[i]);
    if (ratios.empty()) return 1.0;
    const auto middle = ratios.begin() + ratios.size() / 2;
    std::nth_element(ratios.begin(), middle, ratios.end());
    return *middle > 0.0 ? *middle : 1.0;
}

}  // namespace

double PatternSamples::noiseAt(double bg) const {
    return std::sqrt(varianceScale * std::max(bg, 1.0));
}

PatternSamples samplesOf(const PatternStore& store) {
    PatternSamples samples;
    for (int i = 0; i <= store.ilast; ++i) {
        const double cts = store.cts[i];
        const double sig = store.sig[i];
        samples.tth.push_back(store.tth[i]);
        samples.cts.push_back(cts);
        samples.sig.push_back(std::isfinite(sig) && sig > 0.0 ? sig
                                                              : std::sqrt(std::max(cts, 1.0)));
    }
    samples.varianceScale = medianVarianceScale(samples);
    return samples;
}

double tthAt(const PatternSamples& samples, double index) {
    const int last = samples.size() - 1;
    const double clamped = std::clamp(index, 0.0, static_cast<double>(last));
    const int i = std::min(static_cast<int>(clamped), std::max(last - 1, 0));
    if (last == 0) return samples.tth[0];
    const double f = clamped - i;
    return samples.tth[i] + f * (samples.tth[i + 1] - samples.tth[i]);
}
