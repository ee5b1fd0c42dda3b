#include "lsq/invert.h"

#include <array>
#include <cmath>
#include <utility>

namespace {

void swapRows(LsqMatrix& a, int r1, int r2) {
    if (r1 != r2) std::swap(a[r1], a[r2]);
}

void swapColumns(LsqMatrix& a, int c1, int c2) {
    if (c1 == c2) return;
    for (auto& row : a) std::swap(row[c1], row[c2]);
}

struct Pivot {
    int row;
    int col;
    double value;
};

// The largest element of the block k..31 x k..31, the first one in row-major order among
// equals. An all-zero block yields its first element, so that the report names it.
Pivot findPivot(const LsqMatrix& a, int k) {
    Pivot pivot{k, k, a[k][k]};
    for (int i = k; i < kNmax; ++i) {
        for (int j = k; j < kNmax; ++j) {
            if (std::fabs(a[i][j]) > std::fabs(pivot.value)) pivot = {i, j, a[i][j]};
        }
    }
    return pivot;
}

}  // namespace

bool invert(LsqMatrix& a, Console& console) {
    std::array<int, kNmax> pivotRow{};
    std::array<int, kNmax> pivotCol{};
    std::array<float, kNmax> rowFactor{};  // the scaled pivot row
    std::array<float, kNmax> colFactor{};  // the pivot column

    for (int k = 0; k < kNmax; ++k) {
        const Pivot pivot = findPivot(a, k);
        pivotRow[k] = pivot.row;
        pivotCol[k] = pivot.col;
        if (std::fabs(pivot.value) - 1e-31 <= 0) {
            console.print("singular matrix i=%3d j=%3d pivot= %16.8e\n", pivot.row, pivot.col,
                          pivot.value);
            return false;
        }
        swapRows(a, k, pivot.row);
        swapColumns(a, k, pivot.col);

        for (int j = 0; j < kNmax; ++j) {
            rowFactor[j] = -a[k][j] / pivot.value;
            colFactor[j] = a[j][k];
        }
        rowFactor[k] = 1 / pivot.value;
        colFactor[k] = 1;
        for (int j = 0; j < kNmax; ++j) {
            a[k][j] = 0;
            a[j][k] = 0;
        }
        for (int i = 0; i < kNmax; ++i) {
            for (int j = 0; j < kNmax; ++j) a[i][j] += colFactor[i] * rowFactor[j];
        }
    }

    for (int k = kNmax - 1; k >= 0; --k) {
        swapColumns(a, k, pivotRow[k]);
        swapRows(a, k, pivotCol[k]);
    }
    return true;
}
