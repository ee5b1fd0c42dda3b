#include "fit/ascending_twin.h"

#include <cmath>

#include "pattern/xy_step.h"

bool anglesDecrease(const PatternStore& pattern) {
    return pattern.ilast > 0 && pattern.tth[pattern.ilast] < pattern.tth[0];
}

AscendingGrid twinGrid(const PatternStore& pattern) {
    const int last = pattern.ilast;
    const double first = pattern.tth[last];
    const bool stepWasRounded = pattern.tthstep == xyStep(pattern.tth[0], pattern.tth[1]);
    if (last < 1 || !stepWasRounded) return {first, -pattern.tthstep};
    return {first, xyStep(pattern.tth[last], pattern.tth[last - 1])};
}

std::unique_ptr<PatternStore> ascendingTwin(const PatternStore& pattern) {
    auto twin = std::make_unique<PatternStore>();
    for (int i = 0; i <= pattern.ilast; ++i) {
        const int from = twinIndex(pattern, i);
        twin->tth[i] = pattern.tth[from];
        twin->cts[i] = pattern.cts[from];
        twin->sig[i] = pattern.sig[from];
    }
    const AscendingGrid grid = twinGrid(pattern);
    twin->ilast = pattern.ilast;
    twin->tthmin = grid.tthmin;
    twin->tthstep = grid.tthstep;
    twin->tthmax = pattern.tthmin;
    twin->radiation = pattern.radiation;
    return twin;
}

FitSelection twinSelection(const PatternStore& pattern, const FitSelection& selection) {
    FitSelection twin;
    twin.sellast = selection.sellast;
    for (int k = 0; k <= selection.sellast; ++k)
        twin.sel[k] = twinIndex(pattern, selection.sel[selection.sellast - k]);
    return twin;
}
