#include "suggest/suggestions.h"

#include <algorithm>
#include <cmath>

#include "suggest/companion_filter.h"
#include "suggest/curvature_ladder.h"
#include "suggest/fitted_peaks.h"
#include "suggest/pattern_samples.h"

namespace {

void keepStrongest(std::vector<FoundPeak>& peaks, int& leftOut) {
    if (static_cast<int>(peaks.size()) <= kMaxSuggested) return;
    std::sort(peaks.begin(), peaks.end(), [](const FoundPeak& a, const FoundPeak& b) {
        return a.significance > b.significance;
    });
    leftOut = static_cast<int>(peaks.size()) - kMaxSuggested;
    peaks.resize(kMaxSuggested);
}

// The stretches between the ends and the points (ascending) that the points were to cover:
// longer than the spacing they were to keep (1.5 spacings between two points, half a
// spacing at an end, where a point belongs right at the end), or, for the default count,
// over twice as many found peaks as neighbouring points may have between them: a tight
// group of a few peaks leaves no place for a point, and says so in the picture alone.
std::vector<std::pair<double, double>> bareStretches(const PatternSamples& samples,
                                                     const std::vector<SuggestedPoint>& points,
                                                     const std::vector<FoundPeak>& peaks,
                                                     int requested) {
    const double from = std::min(samples.tth.front(), samples.tth.back());
    const double to = std::max(samples.tth.front(), samples.tth.back());
    const double spacing = (to - from) / (requested > 1 ? requested - 1 : kFewestStretches);
    std::vector<double> edges{from};
    for (const SuggestedPoint& point : points) edges.push_back(point.tth);
    edges.push_back(to);
    std::vector<std::pair<double, double>> bare;
    for (std::size_t k = 1; k < edges.size(); ++k) {
        const bool atEnd = k == 1 || k + 1 == edges.size();
        const auto over = std::count_if(peaks.begin(), peaks.end(), [&](const FoundPeak& peak) {
            return peak.tth > edges[k - 1] && peak.tth < edges[k];
        });
        if (edges[k] - edges[k - 1] > (atEnd ? 0.5 : 1.5) * spacing ||
            (requested == 0 && !atEnd && over > 2 * kMostPeaksSpanned))
            bare.emplace_back(edges[k - 1], edges[k]);
    }
    return bare;
}

template <typename T, typename Angle>
void ascending(std::vector<T>& items, Angle angle) {
    std::sort(items.begin(), items.end(),
              [&](const T& a, const T& b) { return angle(a) < angle(b); });
}

}  // namespace

Suggestions suggest(const PatternStore& store, const SuggestSettings& settings) {
    const PatternSamples samples = samplesOf(store);
    Suggestions result;
    if (samples.size() < kFewestPoints) {
        result.tooShort = true;
        return result;
    }
    SearchPastSpikes past = findPeaksPastSpikes(samples, settings.minSigma);
    PeakSearch& search = past.found;
    const double wor = patternWor(store, search.peaks);
    search.peaks =
        withSecondPeaks(store, past.samples, std::move(search.peaks), settings.minSigma, wor);
    result.background =
        chooseBackgroundPoints(past.samples, search.background, search.peaks, search.spikes,
                               past.ladder, search.typicalFwhm, settings.points, kMaxSuggested);
    result.peaks = std::move(search.peaks);
    if (!store.radiation) result.tubePairs = pairsOfATube(result.peaks);
    result.companionsLeftOut = keepKalpha1Lines(result.peaks, store.radiation);
    if (store.radiation && store.radiation->lambda2)
        result.peaks = placedByFit(store, past.samples, std::move(result.peaks), wor);
    for (std::size_t k = 0; k < search.spikes.size(); ++k) {
        const int spike = search.spikes[k];
        if (k > 0 && search.spikes[k - 1] == spike - 1)
            result.spikes.back().second = samples.tth[spike];
        else
            result.spikes.emplace_back(samples.tth[spike], samples.tth[spike]);
    }
    ascending(result.spikes, [](const std::pair<double, double>& s) { return s.first; });
    keepStrongest(result.peaks, result.peaksLeftOut);
    // Patterns may run towards lower angles; the files list ascending two-theta.
    ascending(result.peaks, [](const FoundPeak& p) { return p.tth; });
    ascending(result.background, [](const SuggestedPoint& p) { return p.tth; });
    result.bareStretches = bareStretches(samples, result.background, result.peaks, settings.points);
    return result;
}

std::vector<FoundPeak> peaksForRegions(const PatternStore& store) {
    const PatternSamples samples = samplesOf(store);
    if (samples.size() < kFewestPoints) return {};
    return findPeaksPastSpikes(samples, SuggestSettings{}.minSigma).found.peaks;
}
