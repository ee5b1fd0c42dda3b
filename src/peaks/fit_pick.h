#pragma once
// Picking and deselecting the points of a fit in the fitting mode. Selected points are
// pattern indices kept in index order (ascending two-theta, unless the pattern's angles
// decrease); the outermost two are the background ends.
// Distances are measured in two-theta against the current window, so they work alike at
// any zoom.

#include "pattern/pattern_store.h"
#include "peaks/fitting_texts.h"
#include "peaks/peak_state.h"
#include "view/view_state.h"

class Console;

// Adds the point under a click strictly inside the box at (x, y): between its neighbours,
// or as a new background end that turns the old end into a peak. Refused within 0.005 of
// the window width of a selected point, on a point already selected, and when eleven
// points are selected.
FitMessage pickPoint(Console& console, FitSelection& selection, const PatternStore& pattern,
                     const PlotWindow& win, float x, float y);

// Removes the first selected point within 0.003 of the window width of x; its neighbour
// becomes the background end when it was one.
FitMessage deselectPoint(Console& console, FitSelection& selection, const PatternStore& pattern,
                         const PlotWindow& win, float x);
