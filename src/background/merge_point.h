#pragma once
// Merging one loaded background point into the list. A loaded point that lands close to a
// point in memory is settled by a question on the console.

#include "points/point_list.h"

class Console;

// Close means within `tolerance` in two-theta and in intensity alike (twice the pattern's
// step, used for both). Only the first close point is asked about.
void mergeLoadedPoint(Console& console, PointList& list, float x, float y, double tolerance);
