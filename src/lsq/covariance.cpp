#include "lsq/covariance.h"

#include <cmath>
#include <limits>
#include <vector>

#include "lsq/lsq_reports.h"
#include "lsq/square_inverse.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

void computeCovariance(LsqState& lsq) {
    for (auto& row : lsq.covariance) row.fill(kNan);
    std::vector<int> free;
    for (int k = 0; k < kNmax; ++k) {
        const FitParam& p = lsq.params[k];
        if (p.fit != 1 || p.atBound) continue;
        if (lsq.pTp[k][k] > 0.0) {
            free.push_back(k);
        } else {
            lsq.covariance[k][k] = kInf;
        }
    }
    const int n = static_cast<int>(free.size());
    // Unit diagonal first, so that the pivot test does not depend on the parameters' units.
    std::vector<double> scale(n);
    for (int i = 0; i < n; ++i) scale[i] = std::sqrt(lsq.pTp[free[i]][free[i]]);
    SquareMatrix a(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) a[i][j] = lsq.pTp[free[i]][free[j]] / (scale[i] * scale[j]);
    const bool inverted = invertInPlace(a);
    // s in single precision, as the final report has always printed it.
    const float s = std::sqrt(reducedChisq(lsq.phi_new, lsq.nu));
    const double s2 = static_cast<double>(s) * s;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            lsq.covariance[free[i]][free[j]] =
                inverted ? s2 * a[i][j] / (scale[i] * scale[j]) : (i == j ? kInf : kNan);
}

double standardError(const LsqState& lsq, int k) {
    const double variance = lsq.covariance[k][k];
    if (std::isnan(variance)) return kNan;
    return variance >= 0.0 ? std::sqrt(variance) : kInf;
}
