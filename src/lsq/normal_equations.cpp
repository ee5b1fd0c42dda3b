#include "lsq/normal_equations.h"

#include <cmath>

#include "lsq/model.h"

double chisq(LsqState& lsq) {
    double phi = 0.0;
    for (int i = 0; i < lsq.ndata(); ++i) {
        const DataPoint& point = lsq.data[i];
        const double residual = (model_point(lsq, i) - point.y) * point.w;
        phi += residual * residual;
    }
    return phi;
}

double numericStep(double b) {
    return std::fabs(b) > 1e-10 ? b * 0.00005 : 0.00005;
}

namespace {

// The derivatives of the parameters the model does not differentiate itself, by a
// forward difference from the model value m at point i. The analytic derivatives are
// left by the last of these evaluations.
void numericDerivatives(LsqState& lsq, int i, float m) {
    for (FitParam& p : lsq.params) {
        if (p.fit != 1 || p.ad != 0) continue;
        const double saved = p.b;
        const double h = numericStep(saved);
        p.b = saved + h;
        p.deriv = (model_point(lsq, i) - m) / h;
        p.b = saved;
    }
}

void accumulate(LsqState& lsq, const DataPoint& point, float m) {
    const float residual = (point.y - m) * point.w;
    ParamVector& params = lsq.params;
    for (int k = 0; k < kNmax; ++k) {
        if (params[k].fit != 1) continue;
        params[k].grad += residual * params[k].deriv * point.w;
        for (int j = 0; j <= k; ++j) {
            if (params[j].fit == 1) {
                lsq.pTp[k][j] += params[k].deriv * params[j].deriv * point.w * point.w;
            }
        }
    }
}

}  // namespace

void lsq_derivatives(LsqState& lsq, Console& console) {
    for (FitParam& p : lsq.params) p.grad = 0.0;
    lsq.pTp = LsqMatrix{};
    for (int i = 0; i < lsq.ndata(); ++i) {
        const float m = model_point(lsq, i);
        numericDerivatives(lsq, i, m);
        accumulate(lsq, lsq.data[i], m);
    }
    for (int k = 0; k < kNmax; ++k) {
        if (lsq.params[k].fit != 1) lsq.pTp[k][k] = 1.0;
        for (int j = 0; j < k; ++j) lsq.pTp[j][k] = lsq.pTp[k][j];
    }
    console.print("!\b");
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
