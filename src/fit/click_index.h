#pragma once
// The index rule: which pattern point a two-theta stands for, as a click in the fitting mode
// picks it and as a series fit places a region's ends and peaks.

#include "pattern/pattern_store.h"

// The pattern point at or just below two-theta x (a click within 0.00005 of a step below a
// point counts as on it), counted on the pattern's grid or, when its angles decrease, on
// that of its ascending twin. A click beyond either end of the pattern takes the nearest
// point.
int clickIndex(const PatternStore& pattern, float x);
