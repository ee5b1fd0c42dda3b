#include "lsq/point_terms.h"

NormalSums::NormalSums(const ParamVector& params) {
    for (int k = 0; k < kNmax; ++k) {
        if (params[k].fit == 1) refined_[count_++] = k;
    }
}

DerivRow NormalSums::pack(const ParamVector& params) const {
    DerivRow row;
    for (int a = 0; a < count_; ++a) row[a] = params[refined_[a]].deriv;
    return row;
}

// Vectorised, each element still takes its own products and sum in the same order.
[[gnu::optimize("tree-vectorize", "vect-cost-model=dynamic")]] void NormalSums::add(
    const DataPoint& point, float m, const DerivRow& d) {
    const float residual = (point.y - m) * point.w;
    for (int a = 0; a < count_; ++a) {
        grad_[a] += residual * d[a] * point.w;
        for (int b = 0; b <= a; ++b) pTp_[a][b] += d[a] * d[b] * point.w * point.w;
    }
}

void NormalSums::store(LsqState& lsq) const {
    for (int a = 0; a < count_; ++a) {
        const int k = refined_[a];
        lsq.params[k].grad = grad_[a];
        for (int b = 0; b <= a; ++b) lsq.pTp[k][refined_[b]] = pTp_[a][b];
    }
}
