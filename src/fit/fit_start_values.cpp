#include "fit/fit_start_values.h"

#include <algorithm>
#include <cmath>

namespace {

double sumCts(const PatternStore& pattern, int first, int last) {
    double sum = 0.0;
    for (int p = first; p <= last; ++p) sum += pattern.cts[p];
    return sum;
}

double meanCts(const PatternStore& pattern, int first, int last) {
    return sumCts(pattern, first, last) / (last - first + 1);
}

// Each end averages up to five points, all inside the region.
struct BackgroundEnds {
    double low, high;
};
BackgroundEnds backgroundEnds(const PatternStore& pattern, int first, int last) {
    return {meanCts(pattern, first, std::min(first + 4, last)),
            meanCts(pattern, std::max(last - 4, first), last)};
}

// The height of a picked point above the straight line between the raw end counts (their
// mean where the ends share one angle).
double netHeight(const PatternStore& pattern, int first, int last, int peak) {
    const double tS = pattern.tth[first], tE = pattern.tth[last], P = pattern.tth[peak];
    const double cS = pattern.cts[first], cE = pattern.cts[last];
    const double line = tE != tS ? ((tE - P) * cS + (P - tS) * cE) / (tE - tS) : (cS + cE) / 2;
    return pattern.cts[peak] - line;
}

// Net area over summed net heights; dips below the line give a negative area over
// negative heights, a width as good as any. Only where that is no width at all (the heights
// sum to nothing, or area and heights differ in sign) a quarter of the region per peak
// serves.
double startWidth(const PatternStore& pattern, int first, int last, const BackgroundEnds& ends,
                  double summedHeights, int peakCount) {
    const int nd = last - first + 1;
    const double netArea = sumCts(pattern, first, last) - nd * (ends.low + ends.high) / 2;
    const double width = netArea * pattern.tthstep / summedHeights;
    if (width > 0.0 && std::isfinite(width)) return width;
    return (pattern.tth[last] - pattern.tth[first]) / (4.0 * peakCount);
}

void set(FitParam& param, double value, bool refined) {
    param.b = value;
    param.fit = refined ? 1 : 0;
}

}  // namespace

void setStartValues(ParamVector& params, const PatternStore& pattern, const FitSelection& selection,
                    FitModel model) {
    const int first = selection.sel[0];
    const int last = selection.sel[selection.sellast];
    const int peakCount = selection.sellast - 1;

    for (int k = 0; k < kNmax; ++k)
        if (k != kWor) set(params[k], 0.0, false);
    params[kWor].fit = model.refineWor ? 1 : 0;

    const BackgroundEnds ends = backgroundEnds(pattern, first, last);
    set(params[kEta], 0.5, true);
    set(params[kLowBkgnd], ends.low, true);
    set(params[kHighBkgnd], ends.high, true);

    double summedHeights = 0.0;
    for (int j = 1; j <= peakCount; ++j)
        summedHeights += netHeight(pattern, first, last, selection.sel[j]);
    const double width = startWidth(pattern, first, last, ends, summedHeights, peakCount);

    for (int j = 1; j <= peakCount; ++j) {
        const int peak = selection.sel[j];
        set(params[peakPosition(j)], pattern.tth[peak], true);
        set(params[peakIntensity(j)], width * netHeight(pattern, first, last, peak), true);
        if (!model.commonFwhm) set(params[peakFwhm(j)], width, true);
    }
    if (model.commonFwhm) set(params[kCfwhm], width, true);
}
