#pragma once
// The full-scale window: the whole pattern with a margin of 150 steps on either side in
// two-theta and 10 % of the largest intensity below zero and above it.

#include "pattern/pattern_store.h"
#include "view/view_state.h"

// Bounds in double precision, as they are formed; the window stores them as floats.
struct FullScaleBounds {
    double xmin, xmax, ymin, ymax;
};

// The largest of 0.0 and every intensity of the pattern.
float computeMaxcts(const PatternStore& pattern);

// With maxcts = 0.0 (no positive intensity) the range is taken from the most negative
// intensity instead, mirrored, so the window is never empty and still shows the data; a
// pattern whose angles do not advance gets a degree on either side.
FullScaleBounds fullScaleBounds(const PatternStore& pattern, float maxcts);

// Each bound within 0.01 of its full-scale value.
bool isFullScale(const PlotWindow& win, const PatternStore& pattern, float maxcts);

// Recomputes maxcts and sets the window to full scale.
void setFullScale(ViewState& view, const PatternStore& pattern);
