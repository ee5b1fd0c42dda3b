#include "lsq/point_terms.h"

void accumulate(LsqState& lsq, const DataPoint& point, float m, const DerivRow& deriv) {
    const float residual = (point.y - m) * point.w;
    ParamVector& params = lsq.params;
    for (int k = 0; k < kNmax; ++k) {
        if (params[k].fit != 1) continue;
        params[k].grad += residual * deriv[k] * point.w;
        for (int j = 0; j <= k; ++j) {
            if (params[j].fit == 1) lsq.pTp[k][j] += deriv[k] * deriv[j] * point.w * point.w;
        }
    }
}
