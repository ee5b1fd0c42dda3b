#include "suggest/suggestion_score.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "suggest/fitted_peaks.h"

namespace {

// How far a suggestion may lie from the true apex and still find it.
double tolerance(const TruePeak& peak) {
    return peak.fwhm > 0.5 ? 0.3 : 0.1;
}

double distanceToNearest(double tth, const std::vector<FoundPeak>& peaks) {
    double nearest = 1e9;
    for (const FoundPeak& suggested : peaks)
        nearest = std::min(nearest, std::fabs(suggested.tth - tth));
    return nearest;
}

bool isFound(const TruePeak& peak, const std::vector<FoundPeak>& peaks) {
    return distanceToNearest(peak.position, peaks) <= tolerance(peak);
}

void addPosition(std::string& text, double tth) {
    char field[32];
    std::snprintf(field, sizeof field, " %.2f", tth);
    text += field;
}

void scoreRegions(const PatternStore& store, const Suggestions& found, SuggestionScore& score) {
    std::vector<PeakPlace> places;
    for (const FoundPeak& peak : found.peaks) places.push_back({peak.tth, peak.fwhm});
    const double wor = patternWor(store, found.peaks);
    for (const PeakRegion& region : regionsFromPositions(places)) {
        const RegionFit fit = fitPeakRegion(store, region, region.peaks, wor);
        ++score.regions;
        if (fit.allOk(static_cast<int>(region.peaks.size()))) ++score.regionsOk;
    }
}

}  // namespace

SuggestionScore scoreSuggestions(const SyntheticPattern& pattern, const Suggestions& found) {
    SuggestionScore score;
    const PatternStore& store = *pattern.store;
    const double first = store.tth[0], last = store.tth[store.ilast];
    score.span = last - first;
    for (const TruePeak& peak : pattern.peaks) {
        const bool hit = isFound(peak, found.peaks);
        if (peak.sigmas >= 15) {
            ++score.strong;
            if (hit) {
                ++score.strongFound;
            } else {
                addPosition(score.missed, peak.position);
            }
        } else if (peak.sigmas >= 8) {
            ++score.moderate;
            if (hit) ++score.moderateFound;
        }
        if (peak.areaSigmas >= 5) {
            ++score.significant;
            if (hit)
                ++score.significantFound;
            else
                addPosition(score.significantMissed, peak.position);
        }
        if (hit)
            score.worstPlace =
                std::max(score.worstPlace, distanceToNearest(peak.position, found.peaks));
    }
    score.spikes = static_cast<int>(pattern.spikes.size());
    for (const double spike : pattern.spikes)
        if (std::any_of(found.spikes.begin(), found.spikes.end(), [&](const auto& named) {
                return spike > named.first - 0.01 && spike < named.second + 0.01;
            }))
            ++score.spikesNamed;
    // Each true peak claims the suggestion nearest to it; the others are extra, a second
    // suggestion for one peak (a phantom beside it) as much as one near none.
    std::vector<bool> claimed(found.peaks.size(), false);
    for (const TruePeak& peak : pattern.peaks) {
        std::size_t nearest = found.peaks.size();
        for (std::size_t k = 0; k < found.peaks.size(); ++k)
            if (std::fabs(found.peaks[k].tth - peak.position) <= tolerance(peak) &&
                (nearest == found.peaks.size() ||
                 std::fabs(found.peaks[k].tth - peak.position) <
                     std::fabs(found.peaks[nearest].tth - peak.position)))
                nearest = k;
        if (nearest < found.peaks.size()) claimed[nearest] = true;
    }
    score.extra = static_cast<int>(std::count(claimed.begin(), claimed.end(), false));

    scoreRegions(store, found, score);
    score.points = static_cast<int>(found.background.size());
    double previous = first;
    for (const SuggestedPoint& point : found.background) {
        score.widestGap = std::max(score.widestGap, point.tth - previous);
        previous = point.tth;
        const double truth = pattern.background(point.tth);
        score.worstDeviation =
            std::max(score.worstDeviation, std::fabs(point.cts - truth) / std::sqrt(truth));
        for (const TruePeak& peak : pattern.peaks)
            if (peak.sigmas >= 10 && std::fabs(point.tth - peak.position) < 2.0 * peak.fwhm)
                ++score.onPeaks;
    }
    score.widestGap = std::max(score.widestGap, last - previous);
    score.endGap = found.background.empty() ? score.span
                                            : std::max(found.background.front().tth - first,
                                                       last - found.background.back().tth);
    return score;
}

std::string shortfalls(const SuggestionScore& score, double maxGap) {
    std::string text;
    if (score.strongFound < score.strong) text += "strong peaks missed:" + score.missed + "; ";
    if (2 * score.moderateFound < score.moderate) text += "fewer than half the moderate peaks; ";
    if (score.extra > score.span / 50.0) text += "too many extra peaks; ";
    if (score.endGap > 0.05 * score.span) text += "an end without a point; ";
    if (maxGap > 0.0 && score.widestGap > maxGap) text += "a gap too wide; ";
    if (score.worstDeviation > 2.5) text += "a point off the background; ";
    if (score.onPeaks > 0) text += "a point on a peak; ";
    return text;
}
