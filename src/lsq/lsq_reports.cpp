#include "lsq/lsq_reports.h"

#include <cmath>
#include <ctime>
#include <limits>

#include "lsq/covariance.h"
#include "lsq/invert.h"

namespace {

const char* reasonText(FitEnd reason) {
    switch (reason) {
        case FitEnd::Epsilon:
            return "Convergence by epsilon test";
        case FitEnd::GammaEpsilon:
            return "Convergence by gamma epsilon test";
        case FitEnd::GammaLambda:
            return "Convergence by gamma lambda test";
        case FitEnd::ForceOff:
            return "Force off";
    }
    return "";
}

void printIterationLine(const LsqState& lsq, Console& console) {
    console.print("iter = %d, xisq = %5g, lambda = %7.1e,", lsq.iter,
                  reducedChisq(lsq.phi_new, lsq.nu), lsq.lambda);
    console.print(" gamma = %3.0f, xl = %3g\n", lsq.gamma, lsq.xl);
}

// A refined parameter's standard error comes from the covariance; one held at its bound
// was not free at the solution and has none.
void printParameterResults(const LsqState& lsq, Console& console) {
    for (int k = 0; k < kNmax; ++k) {
        const FitParam& p = lsq.params[k];
        if (p.fit == 1 && p.atBound) {
            console.print("%2d %20s db = %12.5e, b = %12.5e, held at its bound\n", k, p.name, p.db,
                          p.b);
        } else if (p.fit == 1) {
            console.print("%2d %20s db = %12.5e, b = %12.5e, se = %9.2e\n", k, p.name, p.db, p.b,
                          standardError(lsq, k));
        } else {
            console.print("%2d %20s                    b = %12.5e, held constant\n", k, p.name,
                          p.b);
        }
    }
}

}  // namespace

double reducedChisq(double phi, int nu) {
    return phi / (nu > 0 ? nu : 1);
}

void printTimeStamp(const LsqState& lsq, Console& console) {
    const std::time_t now = lsq.clock();
    const char* stamp = std::ctime(&now);
    console.print("\n\n   %s", stamp != nullptr ? stamp : "\n");
}

void printSetupReport(const LsqState& lsq, Console& console) {
    if (lsq.mesg <= 0) return;
    console.print("\n\n");
    printTimeStamp(lsq, console);
    console.print("ndata = %d   nmax = %d   nadj = %d   mesg = %d, miter = %d\n", lsq.ndata(),
                  kNmax, refinedCount(lsq.params), lsq.mesg, lsq.miter);
    console.print("\nParam                  name  fit  ad  initial value\n");
    for (int k = 0; k < kNmax; ++k) {
        const FitParam& p = lsq.params[k];
        console.print("%2d     %20s  %d    %d  %12.5e\n", k, p.name, p.fit, p.ad, p.b);
    }
}

void printIterationReport(const LsqState& lsq, Console& console) {
    if (lsq.mesg <= 0) return;
    printIterationLine(lsq, console);
    for (int k = 0; k < kNmax; ++k) {
        const FitParam& p = lsq.params[k];
        if (p.fit == 1) console.print("%2d %20s db = %12.5e, b = %12.5e\n", k, p.name, p.db, p.b);
    }
    console.flush();
}

void printFinalReport(LsqState& lsq, FitEnd reason, bool tooFewData, Console& console) {
    if (lsq.mesg <= 0) return;
    printTimeStamp(lsq, console);
    console.print("%s\n", reasonText(reason));
    printIterationLine(lsq, console);
    if (tooFewData) console.print("More parameters that data.\nWho are you trying to kid?\n");
    printParameterResults(lsq, console);
    lsq.work = lsq.pTp;
    if (refinedCount(lsq.params) > 0 && !invert(lsq.work, console)) {
        console.print("PTP singular\n");
    }
    console.flush();
}
