#pragma once
// The damped solve for the corrections and the trial step with its gamma-angle control.

#include "console/console.h"
#include "lsq/lsq_state.h"

inline constexpr float GAMCR =
    45.0f;  // critical angle: above it lambda rises, below the step halves

// Damps a fresh copy of the scaled matrix with lambda, inverts it and sets every `db`.
// A singular attempt raises lambda tenfold and tries again, at most five attempts in
// all; when all fail, or the corrections come out not finite, every `db` is 0.
bool solve(LsqState& lsq, Console& console);

// How a trial step ended.
enum class StepResult {
    Halved = 0,        // chi-square fell only after halving the correction
    Improved = 1,      // chi-square fell with the full correction
    GammaEpsilon = 3,  // halving met the epsilon test before chi-square fell
    GammaLambda = 4,   // chi-square fell, gamma >= 90 and lambda >= 1
};

// Takes b = b_old + db, measures gamma and xl and computes phi_new; while chi-square does
// not fall, raises lambda (gamma > GAMCR) or halves the correction.
StepResult lsq_step(LsqState& lsq, Console& console);

// True when no refined parameter's correction exceeds 0.001 of |b| + 0.001.
bool eps_test(const LsqState& lsq);
