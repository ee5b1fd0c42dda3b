#include "suggest/peak_search.h"

#include <algorithm>
#include <cmath>

#include "suggest/filters.h"
#include "suggest/peak_measure.h"
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
constexpr double kSpikeFreeFwhm = 2.5;        // points: narrower peaks may look like spikes
constexpr double kSpikeWidth = 1.5;           // points: narrower is a spike, which sets no width
constexpr double kNoiseWidth = 2.0;           // points: narrower is noise where peaks are wider
constexpr double kNoiseShare = 0.15;          // of the typical width: narrower must stand clear
constexpr double kWiderThanItsRung = 4.0;     // a finding wider is noise on a broader peak
constexpr double kWidthMeasureMargin = 1.15;  // a peak of the widest width may measure wider
// Peaks at least this many deviations high set the background's clipping width and the
// typical width.
constexpr double kStrongSigmas = 10.0;
// Two findings closer than this share of the narrower one's width are one peak: a strong
// peak's long tails stand out at a broad width too, right under its apex.
constexpr double kSamePeakFwhms = 0.5;
// A finding the tails of a narrower peak raise to this share of its height or more is theirs.
constexpr double kTailShare = 0.5;
// A peak whose core holds two peaks narrower than kBlendWidths of its width, making up
// kBlendShare of its area, is their blend.
constexpr double kBlendWidths = 0.6;
constexpr double kBlendCoreFwhms = 0.75;
constexpr double kBlendShare = 0.5;
constexpr double kBroadWidths = 3.0;
// The share of the found peaks' modelled profiles a peak hidden under them must stand above:
// their heights, widths and tails are measured, not fitted.
constexpr double kModelDoubt = 0.15;
// and this share of the height of the peak it hides beside: the profiles' shapes are
// modelled, and where they miss they leave some tenths of a strong peak's height.
constexpr double kHiddenShare = 0.2;
constexpr double kProfileReachFwhms =
    2.0;  // beyond the core, as a Lorentzian tail falls  // of the typical width: a broad peak

// The first background only serves to measure the peaks' widths: a window of a twentieth of
// the pattern clips any peak, however broad.
int firstWindow(int n) {
    return std::max(2, n / 20);
}

// The points of a spike whose highest point is i: i alone when both neighbours hold under
// kSpikeNeighbourFraction of its height, i and its higher neighbour when the points either
// side of the two hold under that share of the lower one's; none for a peak.
std::vector<int> spikeAt(const PatternSamples& samples, const std::vector<double>& background,
                         int i) {
    const int n = samples.size();
    const auto net = [&](int k) { return samples.cts[k] - background[k]; };
    if (net(i - 1) < kSpikeNeighbourFraction * net(i) &&
        net(i + 1) < kSpikeNeighbourFraction * net(i))
        return {i};
    const int j = net(i - 1) > net(i + 1) ? i - 1 : i + 1;
    const int low = std::min(i, j), high = std::max(i, j);
    if (low < 1 || high > n - 2) return {};
    const double limit = kSpikeNeighbourFraction * std::min(net(i), net(j));
    if (net(low - 1) < limit && net(high + 1) < limit) return {low, high};
    return {};
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

PeakWidth rungWidth(const CurvatureLadder& ladder, int rung) {
    PeakWidth width;
    width.fwhm = ladder.fwhmAt(rung);
    width.halfBefore = width.halfAfter = 0.5 * width.fwhm;
    return width;
}

// Gives the peak the width it stood out at, in points and in degrees alike.
void takeRungWidth(FoundPeak& peak, const CurvatureLadder& ladder, int rung,
                   const PatternSamples& samples) {
    peak.width = rungWidth(ladder, rung);
    const int n = samples.size();
    const double step = std::fabs(samples.tth[n - 1] - samples.tth[0]) / (n - 1);
    peak.fwhm = peak.width.fwhm * step;
    peak.highHalf = peak.width.halfAfter * step;
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
        addProfile(rest, other, -1.0);
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

// A finding's height on the counts less modelled peaks, in deviations of the counts there:
// the peaks taken off leave their noise, which on a strong peak's top is many times the
// background's.
double significanceOnTheRest(const PatternSamples& samples, const PatternSamples& rest,
                             const std::vector<double>& background, const FoundPeak& peak) {
    const int apex = std::clamp(static_cast<int>(std::lround(peak.index)), 0, samples.size() - 1);
    const double level = background[apex] + samples.cts[apex] - rest.cts[apex];
    return peak.height / samples.noiseAt(level);
}

// A narrow peak on a broad one's flank may make no curvature minimum of its own: the broad
// peak's curvature climbs through it at every rung. The counts less the broad peaks' profiles
// are searched again at narrow widths, within the broad peaks' cores; what stands clear of
// both its sides there is a peak.
std::vector<FoundPeak> narrowOnBroad(const PatternSamples& samples, const PeakSearch& found,
                                     double minSigma) {
    std::vector<const FoundPeak*> broad;
    for (const FoundPeak& peak : found.peaks)
        if (peak.width.fwhm > kBroadWidths * found.typicalFwhm) broad.push_back(&peak);
    if (broad.empty() || found.typicalFwhm < kSpikeFreeFwhm) return {};
    PatternSamples rest = samples;
    for (const FoundPeak* peak : broad) addProfile(rest.cts, *peak, -1.0);
    const CurvatureLadder ladder = curvatureLadder(rest, kBroadWidths * found.typicalFwhm);
    const PeakMeasure measure(rest, ladder);
    std::vector<FoundPeak> narrow;
    for (const CurvatureMinimum& candidate : ladder.minima(kCurvatureSigmas, ladder.widestRung())) {
        if (std::none_of(broad.begin(), broad.end(), [&](const FoundPeak* peak) {
                return std::fabs(candidate.point - peak->index) < peak->width.fwhm;
            }))
            continue;
        const FoundPeak peak = measure.peakAt(candidate, found.background);
        if (peak.width.fwhm < kNoiseWidth || peak.width.fwhm > kBroadWidths * found.typicalFwhm ||
            significanceOnTheRest(samples, rest, found.background, peak) < minSigma ||
            measure.localSignificance(peak, candidate.rung, true) < minSigma ||
            std::any_of(found.peaks.begin(), found.peaks.end(),
                        [&](const FoundPeak& other) { return samePeak(peak, other); }))
            continue;
        narrow.push_back(peak);
    }
    return mostSignificantOfEach(std::move(narrow));
}

// The height of the found peak whose profile adds most at point i: the peak a finding there
// hides beside.
double heightAbove(const std::vector<FoundPeak>& peaks, int i) {
    double most = 0.0, height = 0.0;
    for (const FoundPeak& peak : peaks) {
        const double share = peak.height * profileShare(peak.width, i - peak.index);
        if (share > most) {
            most = share;
            height = peak.height;
        }
    }
    return height;
}

// Peaks hidden by their neighbours: a peak two widths from a stronger one may make no
// curvature minimum of its own at any width (the pair stands out more as one broader bump),
// and a shoulder none of its own apex. The counts less the found peaks' profiles are searched
// again at every width; what stands minSigma clear there, above the doubt of the model taken
// off, is a peak.
std::vector<FoundPeak> hiddenByNeighbours(const PatternSamples& samples,
                                          const CurvatureLadder& ladder, const PeakSearch& found,
                                          double minSigma) {
    if (found.peaks.empty()) return {};
    PatternSamples rest = samples;
    std::vector<double> model(samples.size(), 0.0);
    for (const FoundPeak& peak : found.peaks) addProfile(model, peak, 1.0);
    for (int i = 0; i < samples.size(); ++i) rest.cts[i] -= model[i];
    const CurvatureLadder restLadder = curvatureLadder(rest, ladder.widestFwhm());
    const PeakMeasure measure(rest, restLadder);
    std::vector<FoundPeak> hidden;
    for (const CurvatureMinimum& candidate :
         restLadder.minima(kCurvatureSigmas, restLadder.widestRung())) {
        const FoundPeak peak = measure.peakAt(candidate, found.background);
        const int apex = static_cast<int>(std::lround(peak.index));
        if (apex < 1 || apex > samples.size() - 2 || peak.width.fwhm < kNoiseWidth ||
            peak.width.fwhm > kWidthMeasureMargin * ladder.widestFwhm() ||
            peak.width.fwhm >
                kWiderThanItsRung * std::max(restLadder.fwhmAt(candidate.rung), 1.0) ||
            significanceOnTheRest(samples, rest, found.background, peak) < minSigma ||
            peak.height < kModelDoubt * model[apex] ||
            peak.height < kHiddenShare * heightAbove(found.peaks, apex) ||
            measure.localSignificance(peak, candidate.rung, true) < minSigma ||
            std::any_of(found.peaks.begin(), found.peaks.end(),
                        [&](const FoundPeak& other) { return samePeak(peak, other); }))
            continue;
        hidden.push_back(peak);
    }
    return mostSignificantOfEach(std::move(hidden));
}

// Adds the hidden peaks to the found ones. A found peak with hidden ones on both sides of
// its apex within its width was the envelope of a pair, found where the pair stands out as
// one broader bump: it gives way to them, and their heights, read on the counts less its
// profile, get its share back. Hidden ones in the core of a kept peak are left out.
void dropEnvelopes(std::vector<FoundPeak>& peaks, std::vector<FoundPeak> hidden) {
    std::vector<FoundPeak> kept;
    for (const FoundPeak& peak : peaks) {
        const auto within = [&](const FoundPeak& h, int side) {
            const double d = (h.index - peak.index) * side;
            return d > 0.0 && d < peak.width.fwhm;
        };
        const bool envelope = std::any_of(hidden.begin(), hidden.end(),
                                          [&](const FoundPeak& h) { return within(h, 1); }) &&
                              std::any_of(hidden.begin(), hidden.end(),
                                          [&](const FoundPeak& h) { return within(h, -1); });
        if (!envelope) {
            kept.push_back(peak);
            continue;
        }
        for (FoundPeak& h : hidden) {
            if (!within(h, 1) && !within(h, -1)) continue;
            const double restored =
                h.height + peak.height * profileShare(peak.width, h.index - peak.index);
            h.significance *= restored / h.height;
            h.height = restored;
        }
    }
    // Within half a kept peak's width, the counts less its profile show that profile's own
    // miss.
    const std::size_t found = kept.size();
    for (const FoundPeak& h : hidden)
        if (std::none_of(kept.begin(), kept.begin() + found, [&](const FoundPeak& peak) {
                return std::fabs(h.index - peak.index) < kSamePeakFwhms * peak.width.fwhm;
            }))
            kept.push_back(h);
    peaks = std::move(kept);
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
        FoundPeak peak = measure.peakAt(candidate, found.background);
        const int apex = static_cast<int>(std::lround(peak.index));
        if (apex < 1 || apex > n - 2) continue;
        // A peak stands minSigma high at its apex, or over its width by its area.
        const bool byArea = peak.significance < minSigma || peak.width.fwhm <= 0.0;
        if (byArea) {
            if (measure.areaSignificance(peak, candidate.rung) < minSigma) continue;
            // Too weak at its apex to show its half height through the noise: the width
            // its curvature stands out at.
            if (peak.width.fwhm <= 0.0) takeRungWidth(peak, ladder, candidate.rung, samples);
        }
        if (found.typicalFwhm >= kSpikeFreeFwhm) {
            const std::vector<int> spike = spikeAt(samples, found.background, apex);
            found.spikes.insert(found.spikes.end(), spike.begin(), spike.end());
            if (!spike.empty()) continue;
        }
        // Broader is the background's curvature; a peak of the widest width may measure a
        // little wider.
        if (peak.width.fwhm > kWidthMeasureMargin * ladder.widestFwhm()) continue;
        // A finding many times wider than the width it stood out at is a bump of noise on a
        // broader peak, which that peak's own width finds.
        if (peak.width.fwhm > kWiderThanItsRung * std::max(ladder.fwhmAt(candidate.rung), 1.0))
            continue;
        // One many times narrower is the envelope of narrow peaks that stand out at their
        // own width (the two lines of a Kα1/Kα2 pair), its apex read on one of their flanks.
        if (kWiderThanItsRung * peak.width.fwhm < ladder.fwhmAt(candidate.rung)) continue;
        // Where peaks span several points, a finding one or two points wide is counting
        // noise. One narrower than a small share of the typical width must stand clear of
        // both its sides: a real narrow peak does, on the background or on a broad peak's
        // flank, while noise on the flank of a peak of the typical width does not.
        const bool spikeFree = found.typicalFwhm >= kSpikeFreeFwhm;
        if (spikeFree && peak.width.fwhm < kNoiseWidth) continue;
        const bool narrow = spikeFree && peak.width.fwhm < kNoiseShare * found.typicalFwhm;
        if (!byArea && measure.localSignificance(peak, candidate.rung, narrow) < minSigma) continue;
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
    for (const FoundPeak& peak : narrowOnBroad(samples, found, minSigma))
        found.peaks.push_back(peak);
    dropEnvelopes(found.peaks, hiddenByNeighbours(samples, ladder, found, minSigma));
    std::sort(found.peaks.begin(), found.peaks.end(),
              [](const FoundPeak& a, const FoundPeak& b) { return a.index < b.index; });
    std::sort(found.spikes.begin(), found.spikes.end());
    found.spikes.erase(std::unique(found.spikes.begin(), found.spikes.end()), found.spikes.end());
    return found;
}

SearchPastSpikes findPeaksPastSpikes(const PatternSamples& samples, double minSigma) {
    SearchPastSpikes search{samples, curvatureLadder(samples), {}};
    search.found = findPeaks(search.samples, search.ladder, minSigma);
    const std::vector<int> spikes = search.found.spikes;
    if (spikes.empty()) return search;
    for (std::size_t k = 0; k < spikes.size();) {
        std::size_t last = k;
        while (last + 1 < spikes.size() && spikes[last + 1] == spikes[last] + 1) ++last;
        const int before = spikes[k] - 1, after = spikes[last] + 1;  // a spike has both
        for (int i = spikes[k]; i < after; ++i) {
            const double share = static_cast<double>(i - before) / (after - before);
            search.samples.cts[i] =
                (1 - share) * search.samples.cts[before] + share * search.samples.cts[after];
            search.samples.sig[i] = search.samples.noiseAt(search.samples.cts[i]);
        }
        k = last + 1;
    }
    search.ladder = curvatureLadder(search.samples);
    search.found = findPeaks(search.samples, search.ladder, minSigma);
    search.found.spikes = spikes;
    return search;
}

void addProfile(std::vector<double>& values, const FoundPeak& peak, double scale) {
    const int n = static_cast<int>(values.size());
    const double broad = std::max({peak.width.halfBefore, peak.width.halfAfter, 0.5});
    // Even a Lorentzian tail of S deviations falls below one beyond sqrt(S) / 2 widths.
    const double reach =
        2.0 * broad * (kProfileReachFwhms + std::sqrt(std::max(peak.significance, 0.0)));
    const int from = std::max(0, static_cast<int>(peak.index - reach));
    const int to = std::min(n - 1, static_cast<int>(peak.index + reach) + 1);
    for (int i = from; i <= to; ++i)
        values[i] += scale * peak.height * profileShare(peak.width, i - peak.index);
}
