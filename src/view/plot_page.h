#pragma once
// A new page of the plot: the box with its labels in the current window, and the pattern.

#include "pattern/pattern_store.h"
#include "view/graphics.h"
#include "view/view_state.h"

// Draws the box for the window and reads the bounds back, as the device may adjust them;
// the top label is the data file name (or a mode's own title).
void setUpPage(Graphics& gfx, PlotWindow& win, const char* topLabel);

// One line through every point of the pattern; the device clips it to the box.
void drawPatternCurve(Graphics& gfx, const PatternStore& pattern);
