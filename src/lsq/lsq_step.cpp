#include "lsq/lsq_step.h"

#include <algorithm>
#include <cmath>

#include "lsq/invert.h"
#include "lsq/normal_equations.h"

namespace {

constexpr int kSolveAttempts = 5;

void setCorrectionsFromInverse(LsqState& lsq) {
    ParamVector& params = lsq.params;
    for (int i = 0; i < kNmax; ++i) {
        params[i].db = 0.0;
        if (params[i].scale <= 0.0) continue;
        double sum = 0.0;
        for (int j = 0; j < kNmax; ++j) {
            if (params[j].scale > 0.0) sum += lsq.work[i][j] * params[j].grad / params[j].scale;
        }
        params[i].db = sum / params[i].scale;
    }
}

// A correction that is not a number would carry every parameter off with it.
bool correctionsFinite(const ParamVector& params) {
    return std::all_of(params.begin(), params.end(),
                       [](const FitParam& p) { return std::isfinite(p.db); });
}

void clearCorrections(ParamVector& params) {
    for (FitParam& p : params) p.db = 0.0;
}

void takeStep(ParamVector& params) {
    for (FitParam& p : params) p.b = p.b_old + p.db;
}

void acceptStep(ParamVector& params) {
    for (FitParam& p : params) p.b_old = p.b;
}

// gamma: the angle between the scaled step and the scaled gradient; xl: the step's length.
void measureGamma(LsqState& lsq) {
    double sg = 0.0;
    double sd = 0.0;
    double sx = 0.0;
    for (const FitParam& p : lsq.params) {
        if (p.scale != 0.0) {
            sg += (p.grad / p.scale) * (p.grad / p.scale);
            sd += (p.db * p.scale) * (p.db * p.scale);
        }
        sx += p.db * p.grad;
    }
    lsq.xl = std::sqrt(sd);
    lsq.gamma = 0.0f;
    if (sg * sd > 0.0) {
        // Rounding can push a parallel step's cosine just past 1.
        const double cosG = std::clamp(sx / std::sqrt(sg * sd), -1.0, 1.0);
        lsq.gamma = std::atan2(std::sqrt(1 - cosG * cosG), cosG) * 57.2957795;
    }
}

StepResult halveUntilBetter(LsqState& lsq, Console& console) {
    do {
        console.print("phi increases, gamma < GAMCR.  Halve correction vecor\n");
        for (FitParam& p : lsq.params) p.db *= 0.5;
        takeStep(lsq.params);
        if (eps_test(lsq)) return StepResult::GammaEpsilon;
        lsq.phi_new = chisq(lsq);
    } while (!(lsq.phi_new < lsq.phi));
    acceptStep(lsq.params);
    return StepResult::Halved;
}

}  // namespace

bool solve(LsqState& lsq, Console& console) {
    for (int attempt = 1; attempt <= kSolveAttempts; ++attempt) {
        lsq.work = lsq.scaled;
        for (int k = 0; k < kNmax; ++k) lsq.work[k][k] += lsq.lambda;
        if (invert(lsq.work, console)) {
            setCorrectionsFromInverse(lsq);
            if (correctionsFinite(lsq.params)) return true;
            clearCorrections(lsq.params);
            return false;
        }
        lsq.lambda *= 10;
        console.print("singluar pTp.  Increasing lambda to %f in solve()\n", lsq.lambda);
    }
    clearCorrections(lsq.params);
    return false;
}

StepResult lsq_step(LsqState& lsq, Console& console) {
    for (;;) {
        takeStep(lsq.params);
        measureGamma(lsq);
        lsq.phi_new = chisq(lsq);
        if (lsq.phi_new < lsq.phi) {
            acceptStep(lsq.params);
            return lsq.gamma >= 90.0f && lsq.lambda >= 1.0f ? StepResult::GammaLambda
                                                            : StepResult::Improved;
        }
        if (!(lsq.gamma > GAMCR)) return halveUntilBetter(lsq, console);
        lsq.lambda *= 10;
        console.print("phi increases, gamma = %.0f > GAMCR; increasing lambda\n", lsq.gamma);
        solve(lsq, console);
    }
}

// An undefined ratio (a parameter that is no longer a number) does not hold the test up,
// so that a fit gone wrong still ends.
bool eps_test(const LsqState& lsq) {
    for (const FitParam& p : lsq.params) {
        if (p.fit == 1 && std::fabs(p.db) / (std::fabs(p.b) + 0.001) > 0.001) return false;
    }
    return true;
}
