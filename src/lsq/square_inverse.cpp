#include "lsq/square_inverse.h"

#include <cmath>
#include <utility>

namespace {

// A pivot below this, in a matrix of unit diagonal, leaves a parameter the data cannot tell
// from the others.
constexpr double kSmallestPivot = 1e-13;

}  // namespace

bool invertInPlace(SquareMatrix& a) {
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

bool invertNormalMatrix(const SquareMatrix& normal, SquareMatrix& inverse) {
    const std::size_t n = normal.size();
    std::vector<double> scale(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!(normal[i][i] > 0.0)) return false;
        scale[i] = std::sqrt(normal[i][i]);
    }
    inverse = normal;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) inverse[i][j] /= scale[i] * scale[j];
    if (!invertInPlace(inverse)) return false;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) inverse[i][j] /= scale[i] * scale[j];
    return true;
}
