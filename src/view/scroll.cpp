#include "view/scroll.h"

#include <algorithm>

namespace {

// Whether a bound may still move up towards the limit (or down towards it, for mayFall).
bool mayRise(double bound, double limit, ScrollEdge edge) {
    return edge == ScrollEdge::MoveAtLimit ? bound <= limit : bound < limit;
}

bool mayFall(double bound, double limit, ScrollEdge edge) {
    return edge == ScrollEdge::MoveAtLimit ? bound >= limit : bound > limit;
}

void shift(float& low, float& high, double by) {
    const float movedLow = static_cast<float>(low + by);
    const float movedHigh = static_cast<float>(high + by);
    // A window only a float step or two wide can round both bounds onto one value: it stays
    // where it is rather than lose its inside.
    if (!(movedLow < movedHigh)) return;
    low = movedLow;
    high = movedHigh;
}

}  // namespace

bool meetsSideTest(const PlotWindow& win, float cx, float cy) {
    return cx > win.xmax || cx < win.xmin || cy > win.ymax || cy < win.ymin;
}

bool strictlyInside(const PlotWindow& win, float cx, float cy) {
    return win.xmin < cx && cx < win.xmax && win.ymin < cy && cy < win.ymax;
}

void scrollWindow(PlotWindow& win, float cx, float cy, const ScrollLimits& limits) {
    const double halfX = 0.5 * win.dx;
    const double halfY = 0.5 * win.dy;
    // Sideways until the window centre lies beyond the first or last point of the pattern;
    // up until the bottom lies above the largest intensity, down until the top is below 0.
    if (cx > win.xmax && mayRise(win.xmin, limits.tthLast - halfX, limits.edge))
        shift(win.xmin, win.xmax, halfX);
    if (cx < win.xmin && mayFall(win.xmax, limits.tthFirst + halfX, limits.edge))
        shift(win.xmin, win.xmax, -halfX);
    if (cy > win.ymax && mayRise(win.ymin, limits.ctsTop, limits.edge))
        shift(win.ymin, win.ymax, halfY);
    if (cy < win.ymin && mayFall(win.ymax, 0.0, limits.edge)) shift(win.ymin, win.ymax, -halfY);
    win.updateSize();
}

ScrollLimits patternScrollLimits(const PatternStore& pattern, float maxcts, ScrollEdge edge) {
    // Decreasing angles (a negative step) end at the lower angle: the limits still run from
    // the lower to the higher one, as the window does.
    return {std::min(pattern.tthmin, pattern.tthmax), std::max(pattern.tthmin, pattern.tthmax),
            maxcts, edge};
}
