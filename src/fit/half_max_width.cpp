#include "fit/half_max_width.h"

#include <cmath>

namespace {

struct Walk {
    const PatternStore& pattern;
    int first, last;  // the region's ends, where the background line takes its two values
    double backgroundFirst, backgroundLast;
    int peak;

    double net(int i) const {
        const double share = static_cast<double>(i - first) / (last - first);
        return pattern.cts[i] - (backgroundFirst + share * (backgroundLast - backgroundFirst));
    }

    // How far from the peak, in degrees, the counts first fall to `half` walking by `direction`
    // up to `end`; none when they stay above it.
    std::optional<double> halfWidth(double half, int direction, int end) const {
        double inner = net(peak);
        for (int i = peak + direction; direction < 0 ? i >= end : i <= end; i += direction) {
            const double outer = net(i);
            if (outer <= half) {
                const double past = (inner - half) / (inner - outer);  // of the step, in (0, 1]
                return std::fabs(pattern.tth[i - direction] - pattern.tth[peak]) +
                       past * std::fabs(pattern.tth[i] - pattern.tth[i - direction]);
            }
            inner = outer;
        }
        return std::nullopt;
    }
};

}  // namespace

std::optional<double> halfMaximumWidth(const PatternStore& pattern, const FitSelection& selection,
                                       const ParamVector& params, int j,
                                       const std::optional<Kalpha2>& kalpha2) {
    const auto& sel = selection.sel;
    const int first = sel[0], last = sel[selection.sellast];
    const Walk walk{pattern, first, last, params[kLowBkgnd].b, params[kHighBkgnd].b, sel[j]};
    const double half = walk.net(sel[j]) / 2;
    if (!(half > 0.0)) return std::nullopt;
    // Halfway to a neighbouring peak, or the region's end, by index and then by angle.
    const int down = j > 1 ? (sel[j - 1] + sel[j] + 1) / 2 : first;
    const int up = j + 1 < selection.sellast ? (sel[j] + sel[j + 1]) / 2 : last;
    const bool ascending = pattern.tth[last] > pattern.tth[first];
    const int highDirection = ascending ? 1 : -1;
    const int highEnd = ascending ? up : down, lowEnd = ascending ? down : up;
    if (const std::optional<double> high = walk.halfWidth(half, highDirection, highEnd)) {
        if (!kalpha2) return 2 * *high;
        const float P = pattern.tth[sel[j]];
        const double separation = companionShape({P, 0.0f}, *kalpha2).P - P;
        return std::fmax(2 * *high - separation, *high);
    }
    if (const std::optional<double> low = walk.halfWidth(half, -highDirection, lowEnd))
        return 2 * *low;
    return std::nullopt;
}

void startAtHalfMaximum(ParamVector& params, const PatternStore& pattern,
                        const FitSelection& selection, bool commonFwhm,
                        const std::optional<Kalpha2>& kalpha2) {
    const int peakCount = selection.sellast - 1;
    double sum = 0.0;
    int found = 0;
    for (int j = 1; j <= peakCount; ++j) {
        const std::optional<double> width =
            halfMaximumWidth(pattern, selection, params, j, kalpha2);
        if (!width) continue;
        const double start = std::fmax(*width, std::fabs(pattern.tthstep));
        if (!commonFwhm) params[peakFwhm(j)].b = start;
        sum += start;
        ++found;
    }
    if (commonFwhm && found > 0) params[kCfwhm].b = sum / found;
}
