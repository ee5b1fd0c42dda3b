#include "view/full_scale.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Intensity range when no intensity is positive: the data lie at or below zero, so the
// usual -0.1 .. 1.1 x maxcts would be empty; mirror it around the most negative value.
void setNonPositiveRange(const PatternStore& pattern, FullScaleBounds& bounds) {
    float mincts = 0.0f;
    for (int i = 0; i <= pattern.ilast; ++i) mincts = std::min(mincts, pattern.cts[i]);
    const double span = mincts < 0.0f ? -static_cast<double>(mincts) : 1.0;
    bounds.ymin = -1.1 * span;
    bounds.ymax = 0.1 * span;
}

}  // namespace

float computeMaxcts(const PatternStore& pattern) {
    float maxcts = 0.0f;
    for (int i = 0; i <= pattern.ilast; ++i) maxcts = std::max(maxcts, pattern.cts[i]);
    return maxcts;
}

FullScaleBounds fullScaleBounds(const PatternStore& pattern, float maxcts) {
    FullScaleBounds bounds{pattern.tthmin - 150.0 * pattern.tthstep,
                           pattern.tthmax + 150.0 * pattern.tthstep, -0.1 * maxcts, 1.1 * maxcts};
    if (maxcts <= 0.0f) setNonPositiveRange(pattern, bounds);
    // Decreasing angles (a negative step) give the bounds the other way round, and a box
    // whose left edge lies right of its right edge has no inside to click in.
    if (bounds.xmin > bounds.xmax) std::swap(bounds.xmin, bounds.xmax);
    // Angles that never advance (a step of zero) leave no width: a degree on either side.
    if (static_cast<float>(bounds.xmin) == static_cast<float>(bounds.xmax)) {
        bounds.xmin -= 1.0;
        bounds.xmax += 1.0;
    }
    return bounds;
}

bool isFullScale(const PlotWindow& win, const PatternStore& pattern, float maxcts) {
    const FullScaleBounds full = fullScaleBounds(pattern, maxcts);
    return std::fabs(win.xmin - full.xmin) <= 0.01 && std::fabs(win.xmax - full.xmax) <= 0.01 &&
           std::fabs(win.ymin - full.ymin) <= 0.01 && std::fabs(win.ymax - full.ymax) <= 0.01;
}

void setFullScale(ViewState& view, const PatternStore& pattern) {
    view.maxcts = computeMaxcts(pattern);
    const FullScaleBounds full = fullScaleBounds(pattern, view.maxcts);
    view.win.xmin = static_cast<float>(full.xmin);
    view.win.xmax = static_cast<float>(full.xmax);
    view.win.ymin = static_cast<float>(full.ymin);
    view.win.ymax = static_cast<float>(full.ymax);
    view.win.updateSize();
}
