#include "suggest/suggestions.h"

#include <algorithm>
#include <cmath>

#include "suggest/pattern_samples.h"
#include "suggest/peak_width.h"
#include "suggest/snip_background.h"

namespace {

// The first background only serves to measure the peaks' width: a window of a twentieth of
// the pattern clips any peak, however broad.
int firstWindow(int n) {
    return std::max(2, n / 20);
}

void keepStrongest(std::vector<FoundPeak>& peaks, int& leftOut) {
    if (static_cast<int>(peaks.size()) <= kMaxSuggested) return;
    std::sort(peaks.begin(), peaks.end(), [](const FoundPeak& a, const FoundPeak& b) {
        return a.significance > b.significance;
    });
    leftOut = static_cast<int>(peaks.size()) - kMaxSuggested;
    peaks.resize(kMaxSuggested);
}

double widthInPoints(const PatternSamples& samples) {
    return typicalFwhmPoints(samples, snipBackground(samples, 1.0, firstWindow(samples.size())));
}

double pointsToDegrees(const PatternSamples& samples, double points) {
    const int n = samples.size();
    return std::fabs(points * (samples.tth[n - 1] - samples.tth[0]) / (n - 1));
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
    const double fwhm = widthInPoints(samples);
    const std::vector<double> background = snipBackground(samples, fwhm, snipWindow(fwhm));
    result.fwhm = pointsToDegrees(samples, fwhm);
    PeakSearch search = findPeaks(samples, background, fwhm, settings.minSigma);
    result.background = chooseBackgroundPoints(samples, background, search.peaks, search.spikes,
                                               fwhm, settings.points, kMaxSuggested);
    result.peaks = std::move(search.peaks);
    for (const int spike : search.spikes) result.spikes.push_back(samples.tth[spike]);
    std::sort(result.spikes.begin(), result.spikes.end());
    keepStrongest(result.peaks, result.peaksLeftOut);
    // Patterns may run towards lower angles; the files list ascending two-theta.
    ascending(result.peaks, [](const FoundPeak& p) { return p.tth; });
    ascending(result.background, [](const SuggestedPoint& p) { return p.tth; });
    return result;
}

double typicalFwhmDegrees(const PatternStore& store) {
    const PatternSamples samples = samplesOf(store);
    if (samples.size() < kFewestPoints) return 0.0;
    return pointsToDegrees(samples, widthInPoints(samples));
}
