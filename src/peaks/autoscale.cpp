#include "peaks/autoscale.h"

#include <algorithm>
#include <cmath>

#include "driver/run_state.h"

namespace {

struct IndexRange {
    int first, last;
};

// The pattern indices from trunc((xmin - tthmin) / tthstep) to trunc((xmax - tthmin) /
// tthstep), clipped to 0 .. ilast; none when the window misses the pattern.
bool patternIndicesIn(const PlotWindow& win, const PatternStore& pattern, IndexRange& range) {
    const double from = std::trunc((win.xmin - pattern.tthmin) / pattern.tthstep);
    const double to = std::trunc((win.xmax - pattern.tthmin) / pattern.tthstep);
    if (std::isnan(from) || std::isnan(to)) return false;
    const double low = std::max(std::min(from, to), 0.0);
    const double high = std::min(std::max(from, to), static_cast<double>(pattern.ilast));
    if (low > high) return false;
    range = {static_cast<int>(low), static_cast<int>(high)};
    return true;
}

}  // namespace

void autoscaleWindow(RunState& state, double factor) {
    PlotWindow& win = state.view.win;
    IndexRange range{};
    if (!patternIndicesIn(win, state.pattern, range)) return;
    float top = 0.0f;
    for (int i = range.first; i <= range.last; ++i) top = std::max(top, state.pattern.cts[i]);
    if (top <= 0.0f) return;
    win.ymin = static_cast<float>(-0.1 * top);
    win.ymax = static_cast<float>(factor * top);
    win.updateSize();
}
