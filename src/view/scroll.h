#pragma once
// Scrolling by a left click outside the box: the window moves half its size towards the
// click, on each side independently, so a click beyond a corner moves it both ways. Each
// mode sets the limits beyond which the window no longer moves.

#include "pattern/pattern_store.h"
#include "view/view_state.h"

enum class ScrollEdge {
    MoveAtLimit,  // region-choice modes: refused only once strictly beyond the limit
    StayAtLimit,  // picking and evaluation modes: refused at the limit too
};

struct ScrollLimits {
    double tthFirst;  // tthmin
    double tthLast;   // the last two-theta of the pattern
    double ctsTop;    // maxcts
    ScrollEdge edge;
};

// True when the click lies beyond at least one side of the box (an edge counts as inside).
bool meetsSideTest(const PlotWindow& win, float cx, float cy);

// True when xmin < cx < xmax and ymin < cy < ymax.
bool strictlyInside(const PlotWindow& win, float cx, float cy);

// Moves the window for a click at (cx, cy); dx and dy are those before the click.
void scrollWindow(PlotWindow& win, float cx, float cy, const ScrollLimits& limits);

// The limits of the pattern itself: from tthmin to tthmax, up to maxcts.
ScrollLimits patternScrollLimits(const PatternStore& pattern, float maxcts, ScrollEdge edge);
