#include "suggest/companion_filter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// Two-theta of the companion of a Kα1 line at `tth`; NaN where it has no place.
double companionTth(double tth, double lambdaRatio) {
    const double s = lambdaRatio * std::sin(tth / 2 * kRadiansPerDegree);
    return s <= 1.0 ? 2 * std::asin(s) / kRadiansPerDegree : NAN;
}

// A line of unit height and FWHM w at x: half Lorentzian, half Gaussian.
double line(double x, double w) {
    const double u = 2 * x / w;
    return 0.5 / (1 + u * u) + 0.5 * std::exp(-std::numbers::ln2 * u * u);
}

// How far above its Kα1 line the apex of a doublet lies, the companion `split` degrees
// higher with share `ratio`: the doublet's maximum, searched between the two lines.
double apexOffset(double split, double ratio, double w) {
    constexpr int kSteps = 400;
    double best = 0.0, bestValue = -1.0;
    for (int k = 0; k <= kSteps; ++k) {
        const double x = split * k / kSteps;
        const double value = line(x, w) + ratio * line(x - split, w);
        if (value > bestValue) {
            bestValue = value;
            best = x;
        }
    }
    return best;
}

}  // namespace

int keepKalpha1Lines(std::vector<FoundPeak>& peaks, const std::optional<Radiation>& radiation) {
    if (!radiation || !radiation->lambda2) return 0;
    const double lambdaRatio = *radiation->lambda2 / radiation->lambda1;
    const double ratio = radiation->ratio;
    std::vector<bool> companion(peaks.size(), false);
    for (std::size_t p = 0; p < peaks.size(); ++p) {
        const double place = companionTth(peaks[p].tth, lambdaRatio);
        for (std::size_t q = 0; q < peaks.size(); ++q) {
            const double share = peaks[q].height / peaks[p].height;
            if (q != p && std::fabs(peaks[q].tth - place) <= peaks[p].fwhm / 2 &&
                share >= 0.5 * ratio && share <= 1.6 * ratio)
                companion[q] = true;
        }
    }
    std::vector<FoundPeak> kept;
    for (std::size_t p = 0; p < peaks.size(); ++p) {
        if (companion[p]) continue;
        FoundPeak peak = peaks[p];
        const double split = companionTth(peak.tth, lambdaRatio) - peak.tth;
        if (split > 0.0 && peak.fwhm > 0.0) peak.tth -= apexOffset(split, ratio, peak.fwhm);
        kept.push_back(peak);
    }
    const int dropped = static_cast<int>(peaks.size() - kept.size());
    peaks = std::move(kept);
    return dropped;
}
