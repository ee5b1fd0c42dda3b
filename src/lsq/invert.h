#pragma once
// In-place inversion of the engine's 32 x 32 matrix.

#include "console/console.h"
#include "lsq/lsq_state.h"

// Gauss-Jordan elimination with full pivoting; the elimination multipliers are single
// precision, so the inverse is good to single-precision accuracy. On a pivot too small to
// divide by it prints "singular matrix ..." and returns false, leaving the matrix partly
// eliminated.
bool invert(LsqMatrix& a, Console& console);
