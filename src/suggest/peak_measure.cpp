#include "suggest/peak_measure.h"

#include <algorithm>
#include <cmath>

#include "suggest/filters.h"
#include "suggest/peak_width.h"

namespace {

// The apex is read from counts smoothed over a quarter of a peak width: enough to steady it,
// too little to lower a peak's height noticeably.
constexpr double kApexSmoothing = 0.25;
// The local height is measured above the lower of the lowest counts within this many of
// the peak's own widths on either side.
constexpr double kLocalReachFwhms = 2.0;

}  // namespace

double vertexOffset(const std::vector<double>& values, int centre, int half) {
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0, s4 = 0, t0 = 0, t1 = 0, t2 = 0;
    const int n = static_cast<int>(values.size());
    for (int j = -half; j <= half; ++j) {
        const int i = centre + j;
        if (i < 0 || i >= n) continue;
        const double x = j, y = values[i];
        s0 += 1;
        s1 += x;
        s2 += x * x;
        s3 += x * x * x;
        s4 += x * x * x * x;
        t0 += y;
        t1 += x * y;
        t2 += x * x * y;
    }
    // Normal equations of y = a + b x + c x^2, solved by Cramer's rule.
    const double det =
        s0 * (s2 * s4 - s3 * s3) - s1 * (s1 * s4 - s2 * s3) + s2 * (s1 * s3 - s2 * s2);
    if (std::fabs(det) < 1e-12) return 0.0;
    const double b =
        (s0 * (t1 * s4 - s3 * t2) - t0 * (s1 * s4 - s2 * s3) + s2 * (s1 * t2 - t1 * s2)) / det;
    const double c =
        (s0 * (s2 * t2 - t1 * s3) - s1 * (s1 * t2 - t1 * s2) + t0 * (s1 * s3 - s2 * s2)) / det;
    if (c >= 0.0) return 0.0;
    return std::clamp(-b / (2.0 * c), -static_cast<double>(half), static_cast<double>(half));
}

PeakMeasure::PeakMeasure(const PatternSamples& samples, const CurvatureLadder& ladder)
    : samples_(samples), ladder_(ladder) {
    for (const CurvatureRung& rung : ladder.rungs) {
        const double fwhm = rung.filterSigma * kFwhmPerBestFilterSigma;
        smoothed_.push_back(
            convolve(samples.cts, gaussianKernel(kApexSmoothing * fwhm / kFwhmPerSigma)));
        blurred_.push_back(convolve(samples.cts, gaussianKernel(fwhm / kFwhmPerSigma)));
    }
}

FoundPeak PeakMeasure::peakAt(const CurvatureMinimum& candidate,
                              const std::vector<double>& background) const {
    const int n = samples_.size();
    const std::vector<double>& s = smoothed_[candidate.rung];
    const std::vector<double>& blurred = blurred_[candidate.rung];
    const double rungFwhm = ladder_.rungs[candidate.rung].filterSigma * kFwhmPerBestFilterSigma;
    const int reach = std::max(1, static_cast<int>(std::lround(0.5 * rungFwhm)));
    const int from = std::max(candidate.point - reach, 0);
    const int to = std::min(candidate.point + reach, n - 1);
    const int top = static_cast<int>(
        std::max_element(blurred.begin() + from, blurred.begin() + to + 1) - blurred.begin());
    const bool ownApex = top > from && top < to;
    int at = ownApex ? top : candidate.point;
    const int maxSpan = static_cast<int>(2.0 * ladder_.widestFwhm()) + 2;
    PeakWidth width = measurePeakWidth(samples_, s, background, at, maxSpan);

    FoundPeak peak{};
    peak.shoulder = !ownApex;
    if (ownApex) {
        // Over a quarter of the narrower of the two widths: a peak whose measured width
        // takes in a close neighbour (a Kα2 line) keeps its own apex.
        const int half =
            std::max(1, static_cast<int>(std::lround(0.25 * std::min(width.fwhm, rungFwhm))));
        peak.index = top + vertexOffset(samples_.cts, top, half);
        // The blur leans towards an asymmetric peak's broad side: its width and height
        // are read again at the apex itself.
        const int apex = std::clamp(static_cast<int>(std::lround(peak.index)), 0, n - 1);
        if (apex != at) {
            at = apex;
            width = measurePeakWidth(samples_, s, background, at, maxSpan);
        }
    } else {
        peak.index =
            candidate.point + vertexOffset(ladder_.rungs[candidate.rung].z, candidate.point, 1);
    }
    peak.width = width;
    peak.tth = tthAt(samples_, peak.index);
    const double step = (samples_.tth[n - 1] - samples_.tth[0]) / (n - 1);
    peak.fwhm = width.fwhm * std::fabs(step);
    peak.highHalf = (step > 0.0 ? width.halfAfter : width.halfBefore) * std::fabs(step);
    peak.height = s[at] - background[at];
    peak.significance = peak.height / samples_.noiseAt(background[at]);
    return peak;
}

double PeakMeasure::localSignificance(const FoundPeak& peak, int rung, bool bothSides) const {
    const std::vector<double>& s = smoothed_[rung];
    const int n = samples_.size();
    const int apex = std::clamp(static_cast<int>(std::lround(peak.index)), 0, n - 1);
    const int reach =
        std::max(1, static_cast<int>(std::lround(kLocalReachFwhms * peak.width.fwhm)));
    const int from = std::max(apex - reach, 0);
    const int to = std::min(apex + reach, n - 1);
    const double left = *std::min_element(s.begin() + from, s.begin() + apex + 1);
    const double right = *std::min_element(s.begin() + apex, s.begin() + to + 1);
    const double base = bothSides ? std::max(left, right) : std::min(left, right);
    return (s[apex] - base) / samples_.noiseAt(base);
}

double PeakMeasure::areaSignificance(const FoundPeak& peak, int rung) const {
    const int n = samples_.size();
    const double fwhm = ladder_.fwhmAt(rung);
    const double apex = peak.index;
    double core = 0.0, coreVariance = 0.0, flank = 0.0, flankVariance = 0.0;
    int inCore = 0, inFlanks = 0;
    const int from = std::max(0, static_cast<int>(std::floor(apex - 2.0 * fwhm)));
    const int to = std::min(n - 1, static_cast<int>(std::ceil(apex + 2.0 * fwhm)));
    for (int i = from; i <= to; ++i) {
        const double d = std::fabs(i - apex);
        const double variance = samples_.sig[i] * samples_.sig[i];
        if (d <= 0.5 * fwhm) {
            core += samples_.cts[i];
            coreVariance += variance;
            ++inCore;
        } else if (d >= fwhm && d <= 2.0 * fwhm) {
            flank += samples_.cts[i];
            flankVariance += variance;
            ++inFlanks;
        }
    }
    if (inCore == 0 || inFlanks == 0) return 0.0;
    const double se = std::sqrt(coreVariance / (inCore * inCore) +
                                flankVariance / (static_cast<double>(inFlanks) * inFlanks));
    // Counts without deviations (a file that states none of zero, a bridged spike) tell no
    // significance; a division would give NaN, which every threshold test lets through.
    if (!(se > 0.0)) return 0.0;
    return (core / inCore - flank / inFlanks) / se;
}
