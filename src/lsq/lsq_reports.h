#pragma once
// The console reports of a fit: its setup, each iteration and the final result with
// standard errors. The setup, iteration and final reports print only when mesg > 0.

#include "console/console.h"
#include "lsq/lsq_state.h"

// Why a fit ended; the values are the reason codes of the final report.
enum class FitEnd {
    Epsilon = 2,
    GammaEpsilon = 3,
    GammaLambda = 4,
    ForceOff = 5,
};

// Chi-square per degree of freedom; with no degree of freedom left it is shown against
// one, as the final statistics are.
double reducedChisq(double phi, int nu);

// Two newlines, three spaces and the clock's local time in ctime's 24-character form.
void printTimeStamp(const LsqState& lsq, Console& console);

void printSetupReport(const LsqState& lsq, Console& console);

// The iteration line for lsq.iter and the corrections of the refined parameters.
void printIterationReport(const LsqState& lsq, Console& console);

// The reason, the last iteration line, every parameter with its standard error or as held
// constant, and a singularity check of the undamped pTp (which overwrites `work`).
// `tooFewData` says the fit had no degree of freedom left.
void printFinalReport(LsqState& lsq, FitEnd reason, bool tooFewData, Console& console);
