#include "suggest/peak_search.h"

#include <algorithm>
#include <cmath>

#include "suggest/filters.h"

namespace {

// Filter widths as fractions of the peaks' own Gaussian width: the matched width finds the
// weakest isolated peaks; the narrow one splits peaks that overlap down to about one FWHM.
constexpr double kFilterScales[] = {1.0, 0.5};
constexpr double kMinFilterSigma = 0.7;  // points: below this the filter is a bare difference
// The curvature test's level: a noise minimum reaches it about once in a thousand filter
// widths. The height test then holds each candidate to minSigma: on the background that
// alone rejects noise, while a peak on the flank of a stronger one, whose curvature the
// neighbour's cancels in part, still passes.
constexpr double kCurvatureSigmas = 3.0;
// A peak's neighbours hold more than this fraction of its height; a spike's do not.
constexpr double kSpikeNeighbourFraction = 1.0 / 3.0;
constexpr double kSpikeFreeFwhm = 2.5;  // points: narrower peaks may look like spikes

// The apex is read from counts smoothed over a quarter of a peak width: enough to steady it,
// too little to lower a peak's height noticeably.
constexpr double kApexSmoothing = 0.25;

struct ApexCounts {
    std::vector<double> smoothed;  // counts smoothed over a quarter of a peak width
    double fwhm = 0.0;             // points
};

// Least-squares parabola through values[centre-half .. centre+half]: the offset of its
// vertex from centre, kept within one point.
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
    return std::clamp(-b / (2.0 * c), -1.0, 1.0);
}

// Points where the apexCounts second derivative has a local minimum at least `level` of its
// standard deviation below zero.
std::vector<int> curvatureMinima(const PatternSamples& samples, double filterSigma, double level,
                                 std::vector<double>& z) {
    const Kernel kernel = secondDerivativeKernel(std::max(filterSigma, kMinFilterSigma));
    const std::vector<double> response = convolve(samples.cts, kernel);
    const std::vector<double> variance = convolvedVariance(samples.sig, kernel);
    const int n = samples.size();
    z.assign(n, 0.0);
    for (int i = 0; i < n; ++i)
        z[i] = variance[i] > 0.0 ? -response[i] / std::sqrt(variance[i]) : 0.0;
    std::vector<int> minima;
    for (int i = 1; i + 1 < n; ++i)
        if (z[i] >= level && z[i] >= z[i - 1] && z[i] > z[i + 1]) minima.push_back(i);
    return minima;
}

bool isSpike(const PatternSamples& samples, const std::vector<double>& background, int i,
             double fwhm) {
    if (fwhm < kSpikeFreeFwhm) return false;
    const double net = samples.cts[i] - background[i];
    const double limit = kSpikeNeighbourFraction * net;
    return samples.cts[i - 1] - background[i - 1] < limit &&
           samples.cts[i + 1] - background[i + 1] < limit;
}

// The peak a curvature minimum belongs to: the observed apex when the counts have a maximum
// within half a width, else (a shoulder on a stronger peak) the curvature minimum itself.
FoundPeak peakAt(const PatternSamples& samples, const std::vector<double>& background,
                 const ApexCounts& apexCounts, const std::vector<double>& z, int minimum) {
    const int n = samples.size();
    const int reach = std::max(1, static_cast<int>(std::lround(0.5 * apexCounts.fwhm)));
    const int from = std::max(minimum - reach, 0);
    const int to = std::min(minimum + reach, n - 1);
    const auto& s = apexCounts.smoothed;
    const int top =
        static_cast<int>(std::max_element(s.begin() + from, s.begin() + to + 1) - s.begin());
    const bool ownApex = top > from && top < to;
    FoundPeak peak;
    if (ownApex) {
        const int half = std::max(1, static_cast<int>(std::lround(0.25 * apexCounts.fwhm)));
        peak.index = top + vertexOffset(samples.cts, top, half);
    } else {
        peak.index = minimum + vertexOffset(z, minimum, 1);
    }
    const int at = ownApex ? top : minimum;
    peak.tth = tthAt(samples, peak.index);
    peak.height = s[at] - background[at];
    peak.significance = peak.height / samples.noiseAt(background[at]);
    return peak;
}

// The peaks of one filter width that pass both tests.
void searchAtScale(const PatternSamples& samples, const std::vector<double>& background,
                   const ApexCounts& apexCounts, double scale, double minSigma, PeakSearch& found,
                   std::vector<FoundPeak>& peaks) {
    std::vector<double> z;
    const double sigma = scale * apexCounts.fwhm / kFwhmPerSigma;
    const double curvatureLevel = std::min(minSigma, kCurvatureSigmas);
    for (const int minimum : curvatureMinima(samples, sigma, curvatureLevel, z)) {
        const FoundPeak peak = peakAt(samples, background, apexCounts, z, minimum);
        const int apex = static_cast<int>(std::lround(peak.index));
        if (apex < 1 || apex > samples.size() - 2) continue;
        if (peak.significance < minSigma) continue;
        if (!isSpike(samples, background, apex, apexCounts.fwhm)) {
            peaks.push_back(peak);
        } else if (std::find(found.spikes.begin(), found.spikes.end(), apex) ==
                   found.spikes.end()) {
            found.spikes.push_back(apex);
        }
    }
}

bool near(const FoundPeak& a, const FoundPeak& b, double distance) {
    return std::fabs(a.index - b.index) < distance;
}

}  // namespace

PeakSearch findPeaks(const PatternSamples& samples, const std::vector<double>& background,
                     double fwhmPoints, double minSigma) {
    PeakSearch found;
    ApexCounts apexCounts;
    apexCounts.fwhm = fwhmPoints;
    apexCounts.smoothed =
        convolve(samples.cts, gaussianKernel(kApexSmoothing * fwhmPoints / kFwhmPerSigma));
    std::vector<FoundPeak> matched;
    std::vector<FoundPeak> narrow;
    searchAtScale(samples, background, apexCounts, kFilterScales[0], minSigma, found, matched);
    searchAtScale(samples, background, apexCounts, kFilterScales[1], minSigma, found, narrow);

    // The narrow filter places overlapping peaks better; the matched one adds weak peaks it
    // missed.
    std::vector<FoundPeak> all = narrow;
    for (const FoundPeak& peak : matched) {
        const bool covered = std::any_of(narrow.begin(), narrow.end(), [&](const FoundPeak& other) {
            return near(peak, other, 0.75 * fwhmPoints);
        });
        if (!covered) all.push_back(peak);
    }
    // Several minima on one peak lead to one apex: keep the most significant.
    std::sort(all.begin(), all.end(), [](const FoundPeak& a, const FoundPeak& b) {
        return a.significance > b.significance;
    });
    for (const FoundPeak& peak : all) {
        const bool taken = std::any_of(
            found.peaks.begin(), found.peaks.end(),
            [&](const FoundPeak& other) { return near(peak, other, 0.5 * fwhmPoints); });
        if (!taken) found.peaks.push_back(peak);
    }
    std::sort(found.peaks.begin(), found.peaks.end(),
              [](const FoundPeak& a, const FoundPeak& b) { return a.index < b.index; });
    std::sort(found.spikes.begin(), found.spikes.end());
    return found;
}
