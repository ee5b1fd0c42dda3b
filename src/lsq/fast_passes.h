#pragma once
// Chi-square and the normal equations from per-peak profile tables, with the points
// spread over the cores. They give the numbers of the point-by-point passes to the bit and
// leave the vector and the points as those do: each point's `model` from its last
// evaluation, and `deriv` (and eta pulled into range) as the last point leaves them.

#include "lsq/lsq_state.h"

double fastChisq(LsqState& lsq);

// Adds every point to `grad` and the lower triangle of pTp, which the caller has cleared.
void fastDerivatives(LsqState& lsq);
