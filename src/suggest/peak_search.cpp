#include "suggest/peak_search.h"

#include <algorithm>
#include <cmath>

#include "suggest/filters.h"
#include "suggest/peak_width.h"
#include "suggest/snip_background.h"

namespace {

// The curvature test's level: a noise minimum reaches it about once in a thousand filter
// widths. The height tests then hold each candidate to minSigma: on the background that
// alone rejects noise, while a peak on the flank of a stronger one, whose curvature the
// neighbour's cancels in part, still passes.
constexpr double kCurvatureSigmas = 3.0;
// A peak's neighbours hold more than this fraction of its height; a spike's do not.
constexpr double kSpikeNeighbourFraction = 1.0 / 3.0;
constexpr double kSpikeFreeFwhm = 2.5;  // points: narrower peaks may look like spikes
constexpr double kSpikeWidth = 1.5;     // points: narrower is a spike, which sets no width
constexpr double kNoiseWidth = 2.0;     // points: narrower is noise where peaks are wider
constexpr double kNoiseShare = 0.15;    // of the typical width: narrower must stand clear
constexpr double kWiderThanItsRung = 4.0;
constexpr double kWidthMeasureMargin = 1.15;
// Peaks at least this many deviations high set the background's clipping width and the
// typical width.
constexpr double kStrongSigmas = 10.0;
// The apex is read from counts smoothed over a quarter of a peak width: enough to steady it,
// too little to lower a peak's height noticeably.
constexpr double kApexSmoothing = 0.25;
// The local height is measured above the lower of the lowest counts within this many of
// the peak's own widths on either side.
constexpr double kLocalReachFwhms = 2.0;
// Two findings closer than this share of the narrower one's width are one peak: a strong
// peak's long tails stand out at a broad width too, right under its apex.
constexpr double kSamePeakFwhms = 0.5;
// A finding the tails of a narrower peak raise to this share of its height or more is theirs.
constexpr double kTailShare = 0.5;
// A peak whose core holds two peaks narrower than kBlendWidths of its width is their blend.
constexpr double kBlendWidths = 0.6;
constexpr double kBlendCoreFwhms = 0.75;
constexpr double kBlendShare = 0.5;

// The first background only serves to measure the peaks' widths: a window of a twentieth of
// the pattern clips any peak, however broad.
int firstWindow(int n) {
    return std::max(2, n / 20);
}

// Least-squares parabola through values[centre-half .. centre+half]: the offset of its
// vertex from centre, kept within `half` points.
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

// What the counts say about one candidate against one background.
class PeakMeasure {
  public:
    PeakMeasure(const PatternSamples& samples, const CurvatureLadder& ladder)
        : samples_(samples), ladder_(ladder) {
        for (const CurvatureRung& rung : ladder.rungs) {
            const double fwhm = rung.filterSigma * kFwhmPerBestFilterSigma;
            smoothed_.push_back(
                convolve(samples.cts, gaussianKernel(kApexSmoothing * fwhm / kFwhmPerSigma)));
            blurred_.push_back(convolve(samples.cts, gaussianKernel(fwhm / kFwhmPerSigma)));
        }
    }

    // The peak of a candidate: the observed apex when the counts, blurred over the rung's
    // width, have a maximum within half that width, else (a shoulder on a stronger peak) the
    // curvature minimum itself; its width measured there, and the apex refined over a quarter
    // of that width. The blur keeps a narrow peak on a broad one's flank from passing for the
    // broad one's apex. width.fwhm 0: no width to measure, not a peak.
    FoundPeak peakAt(const CurvatureMinimum& candidate,
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

    // The apex's height above the lower of the lowest counts on either side within
    // kLocalReachFwhms of its width (bothSides: above the higher), in counting deviations
    // there: a bump of noise on a broad peak stands no higher above its surroundings than the
    // noise, and one on a steep flank no higher above the flank's upper side.
    double localSignificance(const FoundPeak& peak, int rung, bool bothSides) const {
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

  private:
    const PatternSamples& samples_;
    const CurvatureLadder& ladder_;
    std::vector<std::vector<double>> smoothed_;  // per rung, for the height and width
    std::vector<std::vector<double>> blurred_;   // per rung, over its width, for the apex
};

bool isSpike(const PatternSamples& samples, const std::vector<double>& background, int i) {
    const double net = samples.cts[i] - background[i];
    const double limit = kSpikeNeighbourFraction * net;
    return samples.cts[i - 1] - background[i - 1] < limit &&
           samples.cts[i + 1] - background[i + 1] < limit;
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

bool samePeak(const FoundPeak& a, const FoundPeak& b) {
    const double narrow = std::min(a.width.fwhm, b.width.fwhm);
    return std::fabs(a.index - b.index) < kSamePeakFwhms * narrow;
}

// Several minima on one peak, at one width or several, lead to one apex: the most significant
// of each.
std::vector<FoundPeak> mostSignificantOfEach(std::vector<FoundPeak> findings) {
    std::sort(findings.begin(), findings.end(), [](const FoundPeak& a, const FoundPeak& b) {
        return a.significance > b.significance;
    });
    std::vector<FoundPeak> kept;
    for (const FoundPeak& peak : findings)
        if (std::none_of(kept.begin(), kept.end(),
                         [&](const FoundPeak& other) { return samePeak(peak, other); }))
            kept.push_back(peak);
    return kept;
}

// The background, clipped at the widest strong peak's width and smoothed at the typical one,
// measured on the first background. Each peak counts once, however many widths found it: a
// broad peak stands out at several.
std::vector<double> peakBackground(const PatternSamples& samples, const CurvatureLadder& ladder,
                                   const PeakMeasure& measure,
                                   const std::vector<CurvatureMinimum>& candidates,
                                   double& typicalFwhm) {
    const std::vector<double> first = snipBackground(samples, 1.0, firstWindow(samples.size()));
    std::vector<FoundPeak> strong;
    for (const CurvatureMinimum& candidate : candidates) {
        const FoundPeak peak = measure.peakAt(candidate, first);
        if (peak.significance >= kStrongSigmas && peak.width.fwhm >= kSpikeWidth &&
            peak.width.fwhm <= ladder.widestFwhm())
            strong.push_back(peak);
    }
    std::vector<double> widths;
    for (const FoundPeak& peak : mostSignificantOfEach(strong)) widths.push_back(peak.width.fwhm);
    if (widths.empty()) return snipBackground(samples, typicalFwhm, snipWindow(typicalFwhm));
    typicalFwhm = median(widths);
    const double widest = *std::max_element(widths.begin(), widths.end());
    return snipBackground(samples, typicalFwhm, snipWindow(widest));
}

// A broader, weaker finding that a narrower peak's own profile, its height and width and
// tails, explains for the most part: a strong peak's long tails stand out at a broad width
// beside it.
bool isTail(const FoundPeak& peak, const std::vector<FoundPeak>& peaks) {
    return std::any_of(peaks.begin(), peaks.end(), [&](const FoundPeak& other) {
        if (other.width.fwhm >= peak.width.fwhm || other.height <= peak.height) return false;
        const double d = (peak.index - other.index) / other.width.fwhm;
        return other.height * pseudoVoigt(d, other.width.eta) >= kTailShare * peak.height;
    });
}

// A peak with two narrower ones in its core whose areas (height times width: each finding's
// height is read at its own smoothing) make up most of its own: one broad finding of what are
// two peaks (a doublet's envelope, say). A narrow peak and a bump of noise on a broad peak's
// flank make up little of it. The findings may hold one narrow peak several times, once per
// width it was found at: it counts once.
bool isBlend(const FoundPeak& peak, const std::vector<FoundPeak>& peaks) {
    std::vector<const FoundPeak*> inside;
    for (const FoundPeak& other : peaks) {
        if (other.width.fwhm < kBlendWidths * peak.width.fwhm &&
            std::fabs(other.index - peak.index) < kBlendCoreFwhms * peak.width.fwhm &&
            std::none_of(inside.begin(), inside.end(),
                         [&](const FoundPeak* seen) { return samePeak(*seen, other); }))
            inside.push_back(&other);
    }
    if (inside.size() < 2) return false;
    double madeUp = 0.0;
    for (const FoundPeak* other : inside) madeUp += other->height * other->width.fwhm;
    return madeUp >= kBlendShare * peak.height * peak.width.fwhm;
}

// A broad peak with narrower ones in its core was found on counts blurred over its width,
// whose maximum they pull towards themselves: its apex is read again on the counts less their
// profiles, blurred over its own width.
void recentreUnderNarrower(FoundPeak& broad, const std::vector<FoundPeak>& peaks,
                           const PatternSamples& samples) {
    const int n = samples.size();
    std::vector<double> rest(samples.cts);
    bool under = false;
    for (const FoundPeak& other : peaks) {
        if (other.width.fwhm >= kBlendWidths * broad.width.fwhm ||
            std::fabs(other.index - broad.index) >= broad.width.fwhm)
            continue;
        under = true;
        for (int i = 0; i < n; ++i)
            rest[i] -= other.height * profileShare(other.width, i - other.index);
    }
    if (!under) return;
    const std::vector<double> blurred =
        convolve(rest, gaussianKernel(broad.width.fwhm / kFwhmPerSigma));
    const int apex = static_cast<int>(std::lround(broad.index));
    const int reach = std::max(1, static_cast<int>(std::lround(broad.width.fwhm)));
    const int from = std::max(apex - reach, 0), to = std::min(apex + reach, n - 1);
    const int top = static_cast<int>(
        std::max_element(blurred.begin() + from, blurred.begin() + to + 1) - blurred.begin());
    if (top == from || top == to) return;
    const int half = std::max(1, static_cast<int>(std::lround(0.25 * broad.width.fwhm)));
    broad.index = top + vertexOffset(blurred, top, half);
    broad.tth = tthAt(samples, broad.index);
}

}  // namespace

PeakSearch findPeaks(const PatternSamples& samples, const CurvatureLadder& ladder,
                     double minSigma) {
    PeakSearch found;
    const PeakMeasure measure(samples, ladder);
    const std::vector<CurvatureMinimum> candidates =
        ladder.minima(std::min(minSigma, kCurvatureSigmas), ladder.widestRung());
    found.background = peakBackground(samples, ladder, measure, candidates, found.typicalFwhm);

    const int n = samples.size();
    std::vector<FoundPeak> passed;
    for (const CurvatureMinimum& candidate : candidates) {
        const FoundPeak peak = measure.peakAt(candidate, found.background);
        const int apex = static_cast<int>(std::lround(peak.index));
        if (apex < 1 || apex > n - 2 || peak.width.fwhm <= 0.0) continue;
        if (peak.significance < minSigma) continue;
        if (found.typicalFwhm >= kSpikeFreeFwhm && isSpike(samples, found.background, apex)) {
            found.spikes.push_back(apex);
            continue;
        }
        // Broader is the background's curvature; a peak of the widest width may measure a
        // little wider.
        if (peak.width.fwhm > kWidthMeasureMargin * ladder.widestFwhm()) continue;
        // A finding many times wider than the width it stood out at is a bump of noise on a
        // broader peak, which that peak's own width finds.
        if (peak.width.fwhm > kWiderThanItsRung * std::max(ladder.fwhmAt(candidate.rung), 1.0))
            continue;
        // Where peaks span several points, a finding one or two points wide is counting
        // noise. One narrower than a small share of the typical width must stand clear of
        // both its sides: a real narrow peak does, on the background or on a broad peak's
        // flank, while noise on the flank of a peak of the typical width does not.
        const bool spikeFree = found.typicalFwhm >= kSpikeFreeFwhm;
        if (spikeFree && peak.width.fwhm < kNoiseWidth) continue;
        const bool narrow = spikeFree && peak.width.fwhm < kNoiseShare * found.typicalFwhm;
        if (measure.localSignificance(peak, candidate.rung, narrow) < minSigma) continue;
        passed.push_back(peak);
    }
    // A broad finding over two narrower ones is their blend (a doublet's envelope, say),
    // judged before the narrower ones can give way to it as the same peak.
    std::vector<FoundPeak> unblended;
    for (const FoundPeak& peak : passed)
        if (!isBlend(peak, passed)) unblended.push_back(peak);
    const std::vector<FoundPeak> kept = mostSignificantOfEach(std::move(unblended));
    for (const FoundPeak& peak : kept)
        if (!isTail(peak, kept)) found.peaks.push_back(peak);
    for (FoundPeak& peak : found.peaks) recentreUnderNarrower(peak, kept, samples);
    std::sort(found.peaks.begin(), found.peaks.end(),
              [](const FoundPeak& a, const FoundPeak& b) { return a.index < b.index; });
    std::sort(found.spikes.begin(), found.spikes.end());
    found.spikes.erase(std::unique(found.spikes.begin(), found.spikes.end()), found.spikes.end());
    return found;
}
