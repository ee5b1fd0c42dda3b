#include "lsq/covariance.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "lsq/lsq_reports.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A pivot below this, in a matrix of unit diagonal, leaves a parameter the data cannot tell
// from the others.
constexpr double kSmallestPivot = 1e-13;

using Square = std::vector<std::vector<double>>;

// Gauss-Jordan with full pivoting, in place; false when a pivot is too small.
bool invertInPlace(Square& a) {
    const int n = static_cast<int>(a.size());
    std::vector<int> pivotRow(n), pivotCol(n);
    std::vector<bool> used(n, false);
    for (int pass = 0; pass < n; ++pass) {
        int row = -1, col = -1;
        double largest = -1.0;
        for (int i = 0; i < n; ++i) {
            if (used[i]) continue;
            for (int j = 0; j < n; ++j)
                if (!used[j] && std::fabs(a[i][j]) > largest) {
                    largest = std::fabs(a[i][j]);
                    row = i;
                    col = j;
                }
        }
        if (!(largest > kSmallestPivot)) return false;
        used[col] = true;
        std::swap(a[row], a[col]);
        pivotRow[pass] = row;
        pivotCol[pass] = col;
        const double inverse = 1.0 / a[col][col];
        a[col][col] = 1.0;
        for (double& v : a[col]) v *= inverse;
        for (int i = 0; i < n; ++i) {
            if (i == col) continue;
            const double factor = a[i][col];
            a[i][col] = 0.0;
            for (int j = 0; j < n; ++j) a[i][j] -= a[col][j] * factor;
        }
    }
    for (int pass = n - 1; pass >= 0; --pass) {
        if (pivotRow[pass] == pivotCol[pass]) continue;
        for (auto& line : a) std::swap(line[pivotRow[pass]], line[pivotCol[pass]]);
    }
    return true;
}

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
    Square a(n, std::vector<double>(n));
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
