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
// A minimum this many deviations deep is a peak's, not noise's, whatever a broader one does.
constexpr double kClearSigmas = 30.0;

}  // namespace

namespace {

// z stands higher at rung r than the neighbouring rungs' maxima within half a filter width.
// A neighbour still rising at the window's edge has its maximum elsewhere: a broader
// structure (two peaks standing out as one bump at the broader rungs) that does not take
// the own width of a peak that stands out clearly from it.
bool isOwnWidth(const CurvatureLadder& ladder, int r, int i) {
    const double z = ladder.rungs[r].z[i];
    const int n = static_cast<int>(ladder.rungs[r].z.size());
    const int reach = std::max(1, static_cast<int>(std::lround(0.5 * ladder.rungs[r].filterSigma)));
    const int from = std::max(i - reach, 0), to = std::min(i + reach, n - 1);
    for (const int other : {r - 1, r + 1}) {
        if (other < 0 || other >= static_cast<int>(ladder.rungs.size())) continue;
        const std::vector<double>& near = ladder.rungs[other].z;
        const int top = static_cast<int>(
            std::max_element(near.begin() + from, near.begin() + to + 1) - near.begin());
        const bool risingAtEdge = (top == from && from > 0 && near[from - 1] > near[top]) ||
                                  (top == to && to < n - 1 && near[to + 1] > near[top]);
        if (near[top] > z && !(risingAtEdge && z >= kClearSigmas)) return false;
    }
    return true;
}

}  // namespace

std::vector<CurvatureMinimum> CurvatureLadder::minima(double level, int lastRung) const {
    std::vector<CurvatureMinimum> found;
    for (int r = 0; r <= std::min(lastRung, static_cast<int>(rungs.size()) - 1); ++r) {
        const std::vector<double>& z = rungs[r].z;
        for (int i = 1; i + 1 < static_cast<int>(z.size()); ++i)
            if (z[i] >= level && z[i] >= z[i - 1] && z[i] > z[i + 1] && isOwnWidth(*this, r, i))
                found.push_back({i, r});
    }
    return found;
}

int CurvatureLadder::widestRung() const {
    return std::max(static_cast<int>(rungs.size()) - 2, 0);
}

double CurvatureLadder::widestFwhm() const {
    return widestFwhmPoints;
}

CurvatureLadder curvatureLadder(const PatternSamples& samples) {
    const int n = samples.size();
    const double step = std::fabs(samples.tth[n - 1] - samples.tth[0]) / (n - 1);
    return curvatureLadder(samples,
                           std::min(kWidestFwhmDegrees / std::max(step, 1e-9), kWidestShare * n));
}

CurvatureLadder curvatureLadder(const PatternSamples& samples, double widest) {
    const int n = samples.size();
    CurvatureLadder ladder;
    ladder.widestFwhmPoints = widest;
    // Up to the widest peak's width, and one rung beyond it for such a peak to stand out
    // against.
    for (double sigma = kNarrowestFilterSigma;
         ladder.rungs.empty() || ladder.rungs.back().filterSigma * kFwhmPerBestFilterSigma < widest;
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
