#include "suggest/curvature_ladder.h"

#include <algorithm>
#include <cmath>

#include "suggest/filters.h"

namespace {

// Peaks up to this wide, or an eighth of the pattern when shorter: broader curvature is the
// background's (an amorphous hump), not a peak's.
constexpr double kWidestFwhmDegrees = 3.0;
constexpr double kWidestShare = 1.0 / 8.0;
// The narrowest filter: below it the filter is a bare difference. It splits peaks of two or
// three points' FWHM that overlap down to about one FWHM.
constexpr double kNarrowestFilterSigma = 0.7;
// Neighbouring rungs differ by this factor: a peak between two rungs keeps nine tenths of its
// best significance on the nearer one.
constexpr double kRungFactor = 1.41421356;

}  // namespace

double CurvatureLadder::strongestUpTo(int i, double maxSigma) const {
    double strongest = 0.0;
    for (const CurvatureRung& rung : rungs) {
        if (rung.filterSigma > maxSigma) break;
        if (std::fabs(rung.z[i]) > std::fabs(strongest)) strongest = rung.z[i];
    }
    return strongest;
}

double CurvatureLadder::widestFwhm() const {
    const CurvatureRung& widest = rungs.size() > 1 ? rungs[rungs.size() - 2] : rungs.back();
    return widest.filterSigma * kFwhmPerBestFilterSigma;
}

CurvatureLadder curvatureLadder(const PatternSamples& samples) {
    const int n = samples.size();
    const double step = std::fabs(samples.tth[n - 1] - samples.tth[0]) / (n - 1);
    const double widestSigma =
        std::min(kWidestFwhmDegrees / std::max(step, 1e-9), kWidestShare * n) /
        kFwhmPerBestFilterSigma;
    CurvatureLadder ladder;
    // One rung beyond the widest, for a peak of the widest width to stand out against.
    for (double sigma = kNarrowestFilterSigma;
         ladder.rungs.empty() || ladder.rungs.back().filterSigma < widestSigma;
         sigma *= kRungFactor) {
        CurvatureRung rung;
        rung.filterSigma = sigma;
        const Kernel kernel = secondDerivativeKernel(rung.filterSigma);
        const std::vector<double> response = convolve(samples.cts, kernel);
        const std::vector<double> variance = convolvedVariance(samples.sig, kernel);
        rung.z.assign(n, 0.0);
        for (int i = 0; i < n; ++i)
            if (variance[i] > 0.0) rung.z[i] = -response[i] / std::sqrt(variance[i]);
        ladder.rungs.push_back(std::move(rung));
    }
    return ladder;
}
