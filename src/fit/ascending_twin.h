#pragma once
// A pattern whose angles decrease is picked on and fitted as its ascending twin: the same
// points listed from the lowest angle up, on the grid that twin would be read with. Its
// picks and fits are then those of the twin, point for point and digit for digit.

#include <memory>

#include "fit/fit_selection.h"
#include "pattern/pattern_store.h"

// The first angle and the step that count the points from the lowest angle up.
struct AscendingGrid {
    double tthmin;
    double tthstep;
};

// Whether the pattern runs from a higher angle down to a lower one.
bool anglesDecrease(const PatternStore& pattern);

// The twin's grid: it starts at the pattern's last point. A step that was found by
// rounding the first spacing (listed angles, raw scans) is found from the twin's first
// spacing in the same way; a step the file states is turned round.
AscendingGrid twinGrid(const PatternStore& pattern);

// The twin itself, on that grid.
std::unique_ptr<PatternStore> ascendingTwin(const PatternStore& pattern);

// Pattern index i is twin index ilast - i, either way round.
inline int twinIndex(const PatternStore& pattern, int index) {
    return pattern.ilast - index;
}

// The same points as indices of the twin, again in index order.
FitSelection twinSelection(const PatternStore& pattern, const FitSelection& selection);
