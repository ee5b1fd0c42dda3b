#pragma once
// The covariance of the refined parameters at the solution: s^2 times the inverse of the
// normal matrix over the parameters free there, in double precision. Its diagonal gives
// standard errors that account for the correlations (intensity with FWHM, eta and the
// background), which the normal-matrix diagonal alone does not.

#include "lsq/lsq_state.h"

// Fills lsq.covariance from the last pTp and the reduced chi-square. A parameter held, or
// held at its bound in the last step, is not free there: its row and column are NaN. A free
// parameter the model does not depend on, or a matrix that cannot be inverted, leaves
// infinite variances.
void computeCovariance(LsqState& lsq);

// The standard error of parameter k: NaN when it was not free at the solution, infinite
// when the data cannot tell it.
double standardError(const LsqState& lsq, int k);
