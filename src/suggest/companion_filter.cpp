#include "suggest/companion_filter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "import/radiation_choice.h"

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// A companion's height against its line's, in intensity ratios. Each finding's height is
// read at its own smoothing, and a companion on the line's flank stands on its tail: the
// share runs well above the ratio.
constexpr double kLeastShare = 0.5, kMostShare = 3.2;
// A line whose high side is this many times as wide as its companion's FWHM was measured
// over the whole doublet.
constexpr double kEnvelopeWidths = 1.5;

// Two-theta of the companion of a Kα1 line at `tth`; NaN where it has no place.
double companionTth(double tth, double lambdaRatio) {
    const double s = lambdaRatio * std::sin(tth / 2 * kRadiansPerDegree);
    return s <= 1.0 ? 2 * std::asin(s) / kRadiansPerDegree : NAN;
}

// Two-theta of the Kα1 line whose companion lies at `tth`.
double lineBelow(double tth, double lambdaRatio) {
    return 2 * std::asin(std::sin(tth / 2 * kRadiansPerDegree) / lambdaRatio) / kRadiansPerDegree;
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

// Peaks this many deviations high show their companion for certain: at ratio 0.5 it stands
// ten deviations high.
constexpr double kPairedSigmas = 20.0;
// A companion lies within this share of the wider line's FWHM of its place, and is this
// share of its line's height (ratio 0.5; the heights are read at each line's smoothing).
constexpr double kPairPlaceShare = 0.3;
constexpr double kLeastPairShare = 0.3, kMostPairShare = 0.8;

// For each peak, the index of its companion at this split among the peaks, or -1. The
// companion stands apart from its line by half the line's width at least: merged, the two
// are one finding.
std::vector<int> companionsAt(const std::vector<FoundPeak>& peaks, double lambdaRatio) {
    std::vector<int> companion(peaks.size(), -1);
    for (std::size_t p = 0; p < peaks.size(); ++p) {
        if (peaks[p].significance < kPairedSigmas) continue;
        const double place = companionTth(peaks[p].tth, lambdaRatio);
        if (std::isnan(place) || place - peaks[p].tth < 0.5 * peaks[p].fwhm) continue;
        for (std::size_t q = 0; q < peaks.size(); ++q) {
            const double share = peaks[q].height / peaks[p].height;
            if (q != p && share >= kLeastPairShare && share <= kMostPairShare &&
                std::fabs(peaks[q].tth - place) <=
                    kPairPlaceShare * std::max(peaks[p].fwhm, peaks[q].fwhm)) {
                companion[p] = static_cast<int>(q);
                break;
            }
        }
    }
    return companion;
}

}  // namespace

std::optional<TubePairs> pairsOfATube(const std::vector<FoundPeak>& peaks) {
    std::optional<TubePairs> best;
    for (const char* anode : {"Cu", "Co", "Fe", "Cr", "Mo", "Ag"}) {
        const Radiation tube = *anodeRadiation(anode);
        const std::vector<int> companion = companionsAt(peaks, *tube.lambda2 / tube.lambda1);
        std::vector<bool> isCompanion(peaks.size(), false);
        for (const int q : companion)
            if (q >= 0) isCompanion[q] = true;
        TubePairs pairs{anode, {}};
        int unpaired = 0;
        for (std::size_t p = 0; p < peaks.size(); ++p) {
            if (isCompanion[p] || peaks[p].significance < kPairedSigmas) continue;
            if (companion[p] >= 0)
                pairs.kalpha1.push_back(peaks[p].tth);
            else
                ++unpaired;
        }
        const int paired = static_cast<int>(pairs.kalpha1.size());
        if (paired < kFewestPairs || paired < unpaired) continue;
        if (!best || paired > static_cast<int>(best->kalpha1.size())) best = pairs;
    }
    if (best) std::sort(best->kalpha1.begin(), best->kalpha1.end());
    return best;
}

int keepKalpha1Lines(std::vector<FoundPeak>& peaks, const std::optional<Radiation>& radiation) {
    if (!radiation || !radiation->lambda2) return 0;
    const double lambdaRatio = *radiation->lambda2 / radiation->lambda1;
    const double ratio = radiation->ratio;
    const std::size_t n = peaks.size();
    std::vector<bool> inDoublet(n, false);
    // The width of a reflection's lines: a resolved doublet measures as one wide peak, its
    // companion as a line.
    std::vector<double> lineWidth(n);
    std::vector<double> kalpha1(n, NAN);  // a Kα1 place read from the companion
    std::vector<std::size_t> strongestFirst(n);
    for (std::size_t p = 0; p < n; ++p) {
        lineWidth[p] = peaks[p].fwhm;
        strongestFirst[p] = p;
    }
    std::sort(strongestFirst.begin(), strongestFirst.end(),
              [&](std::size_t a, std::size_t b) { return peaks[a].height > peaks[b].height; });
    for (const std::size_t p : strongestFirst) {
        if (inDoublet[p]) continue;
        const double place = companionTth(peaks[p].tth, lambdaRatio);
        for (std::size_t q = 0; q < n; ++q) {
            if (q == p || inDoublet[q]) continue;
            const double share = peaks[q].height / peaks[p].height;
            const double reach = std::max(peaks[p].fwhm, peaks[q].fwhm) / 2;
            if (std::fabs(peaks[q].tth - place) > reach || share < kLeastShare * ratio ||
                share > kMostShare * ratio)
                continue;
            inDoublet[q] = true;
            lineWidth[p] = std::min(peaks[p].fwhm, peaks[q].fwhm);
            // A line whose high side spans its whole doublet has its apex read over both:
            // the narrow companion places the line better.
            if (2.0 * peaks[p].highHalf > kEnvelopeWidths * peaks[q].fwhm)
                kalpha1[p] = lineBelow(peaks[q].tth, lambdaRatio);
            // A weaker finding between the line and its companion is the doublet's too.
            for (std::size_t r = 0; r < n; ++r)
                if (peaks[r].tth > peaks[p].tth && peaks[r].tth < peaks[q].tth &&
                    peaks[r].height < peaks[p].height)
                    inDoublet[r] = true;
            break;
        }
    }
    std::vector<FoundPeak> kept;
    for (std::size_t p = 0; p < n; ++p) {
        if (inDoublet[p]) continue;
        FoundPeak peak = peaks[p];
        const double split = companionTth(peak.tth, lambdaRatio) - peak.tth;
        if (!std::isnan(kalpha1[p]))
            peak.tth = kalpha1[p];
        else if (split > 0.0 && lineWidth[p] > 0.0)
            peak.tth -= apexOffset(split, ratio, lineWidth[p]);
        kept.push_back(peak);
    }
    const int dropped = static_cast<int>(n - kept.size());
    peaks = std::move(kept);
    return dropped;
}
