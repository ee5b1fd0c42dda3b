#pragma once
// The last step of a merge: the sums of every point become an intensity and its standard
// deviation, normalised to a monitor count of 1,000,000.

#include "pattern/pattern_store.h"

class Console;

// For i = 0..ilast, with A = cts[i] (summed counts) and M = sig[i] (summed monitor):
// cts = A * 1e6 / M, sig = sqrt(A) * 1e6 / M. A point that no record reached (M = 0) gets
// cts 0.0; a point without counts gets sig 1.0; both are reported.
void normaliseToMonitor(PatternStore& store, Console& console);
