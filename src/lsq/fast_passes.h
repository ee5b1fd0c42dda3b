#pragma once
// Chi-square and the normal equations from per-peak profile tables, with the points
// spread over the cores. They give the numbers of the point-by-point passes to the bit and
// leave the vector and the points as those do: each point's `model` from its last
// evaluation, and `deriv` (and eta pulled into range) as the last point leaves them.

#include "lsq/lsq_state.h"

double fastChisq(LsqState& lsq);

// Sums every point into `grad` and the lower triangle of pTp of the refined parameters;
// the caller has cleared the rest.
void fastDerivatives(LsqState& lsq);
