#include "lsq/normal_equations.h"

#include <cmath>

#include "lsq/fast_passes.h"
#include "lsq/model.h"
#include "lsq/point_terms.h"

namespace {

double referenceChisq(LsqState& lsq) {
    double phi = 0.0;
    for (int i = 0; i < lsq.ndata(); ++i) phi += chisqTerm(lsq.data[i], model_point(lsq, i));
    return phi;
}

void referenceDerivatives(LsqState& lsq) {
    NormalSums sums(lsq.params);
    const NumericParams numeric = numericParams(lsq.params);
    for (int i = 0; i < lsq.ndata(); ++i) {
        const float m = model_point(lsq, i);
        numericDerivatives(lsq.params, numeric, m, [&](int) { return model_point(lsq, i); });
        sums.add(lsq.data[i], m, sums.pack(lsq.params));
    }
    sums.store(lsq);
}

}  // namespace

double chisq(LsqState& lsq) {
    return lsq.referencePath ? referenceChisq(lsq) : fastChisq(lsq);
}

void lsq_derivatives(LsqState& lsq, Console& console) {
    for (FitParam& p : lsq.params) p.grad = 0.0;
    lsq.pTp = LsqMatrix{};
    if (lsq.referencePath) {
        referenceDerivatives(lsq);
    } else {
        fastDerivatives(lsq);
    }
    for (int k = 0; k < kNmax; ++k) {
        if (lsq.params[k].fit != 1) lsq.pTp[k][k] = 1.0;
        for (int j = 0; j < k; ++j) lsq.pTp[j][k] = lsq.pTp[k][j];
    }
    console.print("!\b");
}

void holdAtBounds(LsqState& lsq) {
    FitParam& eta = lsq.params[kEta];
    eta.atBound =
        eta.fit == 1 && ((eta.b <= 0.0 && eta.grad <= 0.0) || (eta.b >= 1.0 && eta.grad >= 0.0));
    if (!eta.atBound) return;
    for (int k = 0; k < kNmax; ++k) lsq.pTp[kEta][k] = lsq.pTp[k][kEta] = 0.0;
    lsq.pTp[kEta][kEta] = 1.0;
    eta.grad = 0.0;
}

void lsq_scale(LsqState& lsq) {
    ParamVector& params = lsq.params;
    for (int k = 0; k < kNmax; ++k) {
        params[k].scale = lsq.pTp[k][k] > 0.0 ? std::sqrt(lsq.pTp[k][k]) : 0.0;
    }
    for (int i = 0; i < kNmax; ++i) {
        for (int j = 0; j < kNmax; ++j) {
            const double product = params[i].scale * params[j].scale;
            lsq.scaled[i][j] = product > 0.0 ? lsq.pTp[i][j] / product : 0.0;
        }
        lsq.scaled[i][i] = 1.0;
    }
}
