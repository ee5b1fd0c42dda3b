#pragma once
// Picking and deselecting background points with the cursor in the extraction mode. Both
// measure distance against the current window, so they work alike at any zoom.

#include "points/point_list.h"
#include "view/view_state.h"

class Console;

// True when a point lies within half a percent of the window of (x, y) in each direction:
// a pick there is refused.
bool tooCloseToPick(const PointList& list, float x, float y, const PlotWindow& win);

// Removes the first point within three tenths of a percent of (x, y) and reports it; every
// further such point is reported as an error. False when none lies within reach.
bool deselectPoint(Console& console, PointList& list, float x, float y, const PlotWindow& win);
