#pragma once
// Puts a pattern on a uniform grid of a chosen step (xrdconvert --regrid), for patterns whose
// angles follow no one grid.

#include "pattern/pattern_store.h"

class Console;

// Resamples the pattern on the grid of `step` (positive, in degrees) from its first angle
// as far as its last: each count interpolated linearly between the two angles around its
// grid angle, a*y1 + b*y2, and sig as that propagates it, sqrt(a^2 s1^2 + b^2 s2^2); a sig
// the format leaves unset (.wyr) stays unset. False, after the message and with the store
// untouched, when the angles are not in order or the grid would hold more points than the
// store or fewer than 3.
bool regridPattern(PatternStore& store, double step, Console& console);
