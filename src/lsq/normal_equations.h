#pragma once
// Chi-square, the normal matrix with the gradient, and its scaling to unit diagonal.

#include "console/console.h"
#include "lsq/lsq_state.h"

// Sum over the points of ((model - y) w)^2 in double, with the model evaluated afresh.
double chisq(LsqState& lsq);

// pTp (sum of w^2 deriv_i deriv_j) and `grad` of every parameter, with unit diagonal and
// no coupling for the parameters held constant. Ends with the "!" + backspace tick.
void lsq_derivatives(LsqState& lsq, Console& console);

// The model keeps eta within 0..1. At a bound that the gradient pushes against, eta takes no
// part in the step (its correction would be clamped away, and through its correlations it
// would bend every other correction): its row and column of pTp are those of a held
// parameter, and `atBound` says so.
void holdAtBounds(LsqState& lsq);

// `scale` = sqrt of the pTp diagonal (0 where that is not positive) and the scaled
// matrix pTp_ij / (scale_i scale_j) with unit diagonal.
void lsq_scale(LsqState& lsq);
