#pragma once
// What each ROI point adds to chi-square, the gradient and the normal matrix, shared by
// the point-by-point passes and the table passes so that both do the same arithmetic.

#include <array>

#include "lsq/lsq_state.h"
#include "lsq/numeric_step.h"

// The `deriv` of the refined parameters at one point, in index order (see NormalSums).
using DerivRow = std::array<double, kNmax>;

// ((model - y) w)^2 of a point whose model is m.
inline double chisqTerm(const DataPoint& point, float m) {
    const double residual = (m - point.y) * point.w;
    return residual * residual;
}

// The parameters the model does not differentiate itself, refined ones only, in index
// order: the ones a pass takes numerical derivatives of.
struct NumericParams {
    std::array<int, kNmax> index{};
    int count = 0;
};

inline NumericParams numericParams(const ParamVector& params) {
    NumericParams numeric;
    for (int k = 0; k < kNmax; ++k) {
        if (params[k].fit == 1 && params[k].ad == 0) numeric.index[numeric.count++] = k;
    }
    return numeric;
}

// Their derivatives, by a forward difference from the model value m: `evaluate(k)` is the
// model with parameter k moved by its step in `params`. The analytic derivatives are the
// ones its last call leaves.
template <class Evaluate>
void numericDerivatives(ParamVector& params, const NumericParams& numeric, float m,
                        Evaluate&& evaluate) {
    for (int a = 0; a < numeric.count; ++a) {
        const int k = numeric.index[a];
        FitParam& p = params[k];
        const double saved = p.b;
        const double h = numericStep(saved);
        p.b = saved + h;
        p.deriv = (evaluate(k) - m) / h;
        p.b = saved;
    }
}

// The gradient and the lower triangle of pTp summed point by point over the refined
// parameters only, packed in index order so that the sums run over contiguous memory.
// Every element is summed from +0 in point order, as in the vector's own fields.
class NormalSums {
  public:
    explicit NormalSums(const ParamVector& params);

    // The refined parameters' `deriv` in `params`, packed for add.
    DerivRow pack(const ParamVector& params) const;

    // Adds one point with model m and the packed derivatives `deriv`.
    void add(const DataPoint& point, float m, const DerivRow& deriv);

    // Sets `grad` and the lower triangle of pTp of the refined parameters to the sums.
    void store(LsqState& lsq) const;

  private:
    std::array<int, kNmax> refined_{};  // their indices in the vector
    int count_ = 0;
    std::array<double, kNmax> grad_{};
    std::array<std::array<double, kNmax>, kNmax> pTp_{};
};
