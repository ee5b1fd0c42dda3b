#include "suggest/background_points.h"

#include <algorithm>
#include <cmath>

#include "suggest/filters.h"
#include "suggest/peak_width.h"

namespace {

constexpr double kCoreFwhms = 2.0;  // never closer to a peak than this
// and to a found one this much more: its measured width and place may be a little off.
constexpr double kFoundCoreMargin = 1.15;
// The largest tails of found peaks a point may lie under. Its level is the counts' less the
// modelled tails, so it lies on the background as far as the model holds; between strong
// neighbours ten widths apart the tails add about two deviations.
constexpr double kTailSigmas = 2.5;
constexpr double kExcessSigmas = 2.0;  // smoothed counts this far above: an unfound peak
// Curvature this many deviations from straight, at the width where it stands out most, with
// counts kExcessSigmas above the level there: a peak, found or not.
constexpr double kCurvedSigmas = 4.0;
constexpr double kChordSigmas = 0.5;  // the straight lines' tolerance, default count
constexpr double kTailDoubt = 0.25;   // and the share of the modelled tails added to it
// The share of the modelled tails taken off the level: measured on counts smoothed a little,
// the widths run long, and so do the tails.
constexpr double kTailsTakenOff = 0.8;
constexpr double kAverageFwhms = 5.0;  // the clipping bias is averaged over +- this
// and over at least this many clear points, wider where peaks stand densely: the mean of a
// few points between two peaks would carry their noise into the level.
constexpr int kFewestAveraged = 25;
constexpr double kAboveCounts = 2.5;

// The tails of every found peak at each point.
std::vector<double> tailsOf(const PatternSamples& samples, const std::vector<FoundPeak>& peaks) {
    std::vector<double> tails(samples.size(), 0.0);
    for (const FoundPeak& peak : peaks) addProfile(tails, peak, 1.0);
    return tails;
}

// Away from the core of every found peak, and where their tails add less than kTailSigmas
// counting deviations; away from every spike, whose counts would spoil the level around it.
std::vector<bool> clearOfFoundPeaks(const PatternSamples& samples,
                                    const std::vector<double>& background,
                                    const std::vector<FoundPeak>& peaks,
                                    const std::vector<double>& tails,
                                    const std::vector<int>& spikes) {
    const int n = samples.size();
    std::vector<bool> clear(n, true);
    for (const FoundPeak& peak : peaks) {
        const double core = kFoundCoreMargin * kCoreFwhms * std::max(peak.width.fwhm, 1.0);
        const int from = std::max(0, static_cast<int>(std::ceil(peak.index - core)));
        const int to = std::min(n - 1, static_cast<int>(std::floor(peak.index + core)));
        for (int i = from; i <= to; ++i) clear[i] = false;
    }
    for (int i = 0; i < n; ++i)
        if (tails[i] >= kTailSigmas * samples.noiseAt(background[i])) clear[i] = false;
    for (const int spike : spikes) clear[spike] = false;
    return clear;
}

// The background level at each point: the estimate plus the mean of the counts' excess over
// it among the clear points nearby, which takes out the slight low bias of clipping.
std::vector<double> levels(const PatternSamples& samples, const std::vector<double>& background,
                           const std::vector<bool>& clear, double fwhm) {
    const int n = samples.size();
    std::vector<double> sum(n + 1, 0.0);
    std::vector<int> count(n + 1, 0);
    for (int i = 0; i < n; ++i) {
        sum[i + 1] = sum[i] + (clear[i] ? samples.cts[i] - background[i] : 0.0);
        count[i + 1] = count[i] + (clear[i] ? 1 : 0);
    }
    const int reach = std::max(1, static_cast<int>(std::lround(kAverageFwhms * fwhm)));
    const int fewest = std::min(kFewestAveraged, count[n]);
    std::vector<double> level(background);
    for (int i = 0; i < n; ++i) {
        int from = std::max(i - reach, 0), to = std::min(i + reach + 1, n);
        for (int wider = reach; count[to] - count[from] < fewest; wider *= 2) {
            from = std::max(i - wider, 0);
            to = std::min(i + wider + 1, n);
        }
        if (count[to] > count[from]) level[i] += (sum[to] - sum[from]) / (count[to] - count[from]);
    }
    return level;
}

// The counts blurred by a Gaussian of the given FWHM at point i.
double blurredAt(const PatternSamples& samples, int i, double fwhm) {
    const Kernel kernel = gaussianKernel(fwhm / kFwhmPerSigma);
    const int half = static_cast<int>(kernel.size()) / 2;
    const int n = samples.size();
    double sum = 0.0, weights = 0.0;
    for (int j = -half; j <= half; ++j) {
        if (i + j < 0 || i + j >= n) continue;
        sum += kernel[j + half] * samples.cts[i + j];
        weights += kernel[j + half];
    }
    return sum / weights;
}

// The gain in noise of smoothing by a kernel: sqrt(sum of squared weights).
double noiseGain(const Kernel& kernel) {
    double gain = 0.0;
    for (const double weight : kernel) gain += weight * weight;
    return std::sqrt(gain);
}

// Clear points where the smoothed counts show no excess over the level, and that lie
// farther than kCoreFwhms from every place where the counts curve like a peak and stand
// above the level, at its own width up to the widest found peak's: no peak too weak or too
// close to another to be found lies there, nor its flanks.
std::vector<bool> freeOfPeaks(const PatternSamples& samples, const std::vector<double>& level,
                              std::vector<bool> clear, const CurvatureLadder& ladder, double fwhm,
                              double widestFwhm) {
    const Kernel smoothing = gaussianKernel(fwhm / kFwhmPerSigma);
    const std::vector<double> smoothed = convolve(samples.cts, smoothing);
    const double gain = noiseGain(smoothing);
    const int n = samples.size();
    for (int i = 0; i < n; ++i)
        if (smoothed[i] - level[i] > kExcessSigmas * gain * samples.noiseAt(level[i]))
            clear[i] = false;
    int lastRung = 0;
    while (lastRung < ladder.widestRung() && ladder.fwhmAt(lastRung) < widestFwhm) ++lastRung;
    for (const CurvatureMinimum& curved : ladder.minima(kCurvedSigmas, lastRung)) {
        const double width = ladder.fwhmAt(curved.rung);
        const double excess = blurredAt(samples, curved.point, width) - level[curved.point];
        const double noise =
            noiseGain(gaussianKernel(width / kFwhmPerSigma)) * samples.noiseAt(level[curved.point]);
        if (excess <= kExcessSigmas * noise) continue;
        const int reach = static_cast<int>(std::ceil(kCoreFwhms * width));
        for (int i = std::max(curved.point - reach, 0); i <= std::min(curved.point + reach, n - 1);
             ++i)
            clear[i] = false;
    }
    return clear;
}

// The straight line from a to b stays within tolerance of the level at every candidate
// between them.
bool chordFollows(const std::vector<int>& candidates, const std::vector<double>& level,
                  const std::vector<double>& tolerance, int a, int b) {
    const double ia = candidates[a], ib = candidates[b];
    for (int k = a + 1; k < b; ++k) {
        const int i = candidates[k];
        const double line = level[candidates[a]] +
                            (level[candidates[b]] - level[candidates[a]]) * (i - ia) / (ib - ia);
        if (std::fabs(level[i] - line) > tolerance[i]) return false;
    }
    return true;
}

// As few candidates as keep every chord within tolerance, no longer than `longest` points
// and over at most `spanned` found peaks (peaksBefore[i]: those below point i), both ends
// included: from each point the farthest candidate that qualifies.
std::vector<int> followingCurvature(const std::vector<int>& candidates,
                                    const std::vector<double>& level,
                                    const std::vector<double>& tolerance, int longest,
                                    const std::vector<int>& peaksBefore, int spanned) {
    std::vector<int> chosen{0};
    const int last = static_cast<int>(candidates.size()) - 1;
    int current = 0;
    while (current < last) {
        int reach = current + 1;
        for (int next = current + 2; next <= last; ++next) {
            if (candidates[next] - candidates[current] > longest ||
                peaksBefore[candidates[next]] - peaksBefore[candidates[current]] > spanned ||
                !chordFollows(candidates, level, tolerance, current, next))
                break;
            reach = next;
        }
        chosen.push_back(reach);
        current = reach;
    }
    return chosen;
}

// The candidates nearest to `count` evenly spaced targets over the pattern.
std::vector<int> evenlySpread(const std::vector<int>& candidates, int count, int n) {
    std::vector<int> chosen;
    for (int k = 0; k < count; ++k) {
        const double target = count == 1 ? 0.0 : (n - 1.0) * k / (count - 1);
        const auto above = std::lower_bound(candidates.begin(), candidates.end(), target);
        int pick = static_cast<int>(above - candidates.begin());
        if (pick == static_cast<int>(candidates.size()) ||
            (pick > 0 && target - candidates[pick - 1] < candidates[pick] - target))
            --pick;
        if (chosen.empty() || chosen.back() != pick) chosen.push_back(pick);
    }
    return chosen;
}

// A tenth of the pattern, or where peaks stand densely, kMostPeaksSpanned + 1 of the median
// spacing of neighbouring found peaks: points at most that far apart, peaks or not.
int longestChord(const std::vector<FoundPeak>& peaks, int n) {
    const int tenth = std::max(n / kFewestStretches, 1);
    if (peaks.size() < 3) return tenth;
    std::vector<double> spacings;
    for (std::size_t k = 1; k < peaks.size(); ++k)
        spacings.push_back(std::fabs(peaks[k].index - peaks[k - 1].index));
    const auto middle = spacings.begin() + spacings.size() / 2;
    std::nth_element(spacings.begin(), middle, spacings.end());
    return std::clamp(static_cast<int>((kMostPeaksSpanned + 1) * *middle), 1, tenth);
}

// A point's level, or where that stands more than kAboveCounts counting deviations above the
// counts around it (within half a peak width), their mean: the level's estimate went wrong
// there, and a background above the counts is wrong for certain.
double withinCounts(const PatternSamples& samples, int i, double level, double fwhm) {
    const int reach = std::max(1, static_cast<int>(0.5 * fwhm));
    const int from = std::max(i - reach, 0), to = std::min(i + reach, samples.size() - 1);
    double sum = 0.0;
    for (int j = from; j <= to; ++j) sum += samples.cts[j];
    const double local = sum / (to - from + 1);
    return level - local > kAboveCounts * samples.noiseAt(local) ? local : level;
}

}  // namespace

std::vector<SuggestedPoint> chooseBackgroundPoints(const PatternSamples& samples,
                                                   const std::vector<double>& background,
                                                   const std::vector<FoundPeak>& peaks,
                                                   const std::vector<int>& spikes,
                                                   const CurvatureLadder& ladder, double fwhmPoints,
                                                   int requested, int maxPoints) {
    const int n = samples.size();
    double widest = fwhmPoints;
    for (const FoundPeak& peak : peaks) widest = std::max(widest, peak.width.fwhm);
    const std::vector<double> tails = tailsOf(samples, peaks);
    const std::vector<bool> clear = clearOfFoundPeaks(samples, background, peaks, tails, spikes);
    const std::vector<double> counted = levels(samples, background, clear, fwhmPoints);
    const std::vector<bool> free = freeOfPeaks(samples, counted, clear, ladder, fwhmPoints, widest);
    // Between close peaks the counts never come down below their tails: the points lie
    // under them, on the background.
    std::vector<double> level(counted);
    for (int i = 0; i < n; ++i) level[i] -= kTailsTakenOff * tails[i];
    // Candidates a quarter of a width apart are as good as every point and keep the search
    // short on long patterns.
    const int stride = std::max(1, static_cast<int>(fwhmPoints / 4.0));
    std::vector<int> candidates;
    int lastFree = -1;
    for (int i = 0; i < n; ++i) {
        if (!free[i]) continue;
        if (candidates.empty() || i - candidates.back() >= stride) candidates.push_back(i);
        lastFree = i;
    }
    if (candidates.empty()) return {};
    if (candidates.back() != lastFree) candidates.push_back(lastFree);

    std::vector<int> chosen;
    if (requested > 0) {
        chosen = evenlySpread(candidates, requested, n);
    } else {
        std::vector<double> tolerance(n);
        // Under the tails the level is no surer than their model.
        for (int i = 0; i < n; ++i)
            tolerance[i] = kChordSigmas * samples.noiseAt(background[i]) + kTailDoubt * tails[i];
        std::vector<int> peaksBefore(n + 1, 0);
        for (const FoundPeak& peak : peaks)
            ++peaksBefore[std::clamp(static_cast<int>(std::ceil(peak.index)), 0, n)];
        for (int i = 1; i <= n; ++i) peaksBefore[i] += peaksBefore[i - 1];
        // Beyond maxPoints, each round allows looser chords, twice as long and over twice
        // as many peaks, until the points fit: at the last, one chord spans the pattern.
        const int allPeaks = static_cast<int>(peaks.size());
        int longest = longestChord(peaks, n);
        for (int spanned = kMostPeaksSpanned;;) {
            chosen =
                followingCurvature(candidates, level, tolerance, longest, peaksBefore, spanned);
            if (static_cast<int>(chosen.size()) <= maxPoints) break;
            for (double& t : tolerance) t *= 2.0;
            longest = std::min(2 * longest, n);
            spanned = std::min(2 * spanned, allPeaks + 1);
        }
    }
    std::vector<SuggestedPoint> points;
    for (const int k : chosen)
        points.push_back({samples.tth[candidates[k]],
                          withinCounts(samples, candidates[k], level[candidates[k]], fwhmPoints)});
    return points;
}
