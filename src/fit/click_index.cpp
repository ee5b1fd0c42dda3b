#include "fit/click_index.h"

#include <cmath>

#include "fit/ascending_twin.h"

namespace {

// The point at or just below x on a grid that counts up from tthmin, within 0..ilast.
int gridIndex(const PatternStore& pattern, double tthmin, double tthstep, float x) {
    const double steps = (x - tthmin) / tthstep;
    const double index = std::trunc((steps * 10000.0 + 0.5) * 0.0001);
    // Before the pattern, and when the angles never advance (no index at all): point 0.
    if (!(index > 0.0)) return 0;
    if (index >= pattern.ilast) return pattern.ilast;
    return static_cast<int>(index);
}

}  // namespace

int clickIndex(const PatternStore& pattern, float x) {
    if (!anglesDecrease(pattern)) return gridIndex(pattern, pattern.tthmin, pattern.tthstep, x);
    // Counted on the ascending twin, whose step is the true spacing: a decreasing pattern's
    // own step need not be (-0.0199 for a spacing of -0.02), and far from its first point
    // it would miss the point under the click by several steps.
    const AscendingGrid grid = twinGrid(pattern);
    return twinIndex(pattern, gridIndex(pattern, grid.tthmin, grid.tthstep, x));
}
