#include "lsq/lsq_fit.h"

#include "lsq/covariance.h"
#include "lsq/lsq_reports.h"
#include "lsq/lsq_step.h"
#include "lsq/normal_equations.h"

namespace {

void restoreStart(ParamVector& params) {
    for (FitParam& p : params) p.b = p.b_old;
}

// Records where the run ended and prints the final report; the statistics of a fit with
// no degree of freedom are taken against one.
int finish(LsqState& lsq, int iter, FitEnd reason, Console& console) {
    lsq.iter = iter;
    for (FitParam& p : lsq.params) p.b_old = p.b;
    const bool tooFewData = lsq.nu <= 0;
    if (tooFewData) lsq.nu = 1;
    computeCovariance(lsq);
    printFinalReport(lsq, reason, tooFewData, console);
    return reason == FitEnd::ForceOff ? 0 : 1;
}

}  // namespace

int lsq_fit(LsqState& lsq, Console& console) {
    const int nadj = refinedCount(lsq.params);
    lsq.nu = lsq.ndata() - 1 - nadj;
    if (lsq.nu <= 0) console.print("Help! ndata = %d, # adj = %d\n", lsq.ndata(), nadj);

    lsq.lambda = 0.01f;
    lsq.gamma = 0.0f;
    lsq.xl = 0.0f;
    for (FitParam& p : lsq.params) {
        p.db = 0.0;
        p.atBound = false;
    }
    printSetupReport(lsq, console);
    lsq.phi = chisq(lsq);
    lsq.phi_new = lsq.phi;
    if (lsq.mesg != 0) console.print("Initial chisq = %11.4e\n", reducedChisq(lsq.phi, lsq.nu));

    for (int iter = 1; iter <= lsq.miter; ++iter) {
        lsq.iter = iter;
        lsq_derivatives(lsq, console);
        holdAtBounds(lsq);
        lsq_scale(lsq);
        solve(lsq, console);
        for (FitParam& p : lsq.params) p.b_old = p.b;

        const StepResult step = lsq_step(lsq, console);
        if (step == StepResult::GammaLambda) return finish(lsq, iter, FitEnd::GammaLambda, console);
        if (step == StepResult::GammaEpsilon) {
            // Halving stopped on the corrections' size, not on a better chi-square.
            if (!(lsq.phi_new <= lsq.phi)) {
                restoreStart(lsq.params);
                lsq.phi_new = lsq.phi;
            }
            return finish(lsq, iter, FitEnd::GammaEpsilon, console);
        }
        if (step == StepResult::Improved && eps_test(lsq)) {
            return finish(lsq, iter, FitEnd::Epsilon, console);
        }
        printIterationReport(lsq, console);
        lsq.lambda /= 10;
        lsq.phi = lsq.phi_new;
    }
    return finish(lsq, lsq.miter + 1, FitEnd::ForceOff, console);
}
