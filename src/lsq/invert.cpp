#include "lsq/invert.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

#include "lsq/select_lanes.h"

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

// Two doubles in vector lanes, as every x86-64 processor has them; the blend of
// selectLanes keeps a comparison exact.
using Pair = double __attribute__((vector_size(2 * sizeof(double))));
using PairMask = std::int64_t __attribute__((vector_size(2 * sizeof(std::int64_t))));

// The largest |a[i][j]| of row i over the columns from k on; NaNs count as 0.
double largestInRow(const LsqMatrix& a, int i, int k) {
    const PairMask magnitude = PairMask{} + std::numeric_limits<std::int64_t>::max();
    Pair largest{};
    for (int j0 = k / 2 * 2; j0 < kNmax; j0 += 2) {
        Pair v;
        std::memcpy(&v, &a[i][j0], sizeof v);
        const PairMask inBlock = PairMask{j0, j0 + 1} >= k;
        v = std::bit_cast<Pair>(std::bit_cast<PairMask>(v) & magnitude & inBlock);
        largest = selectLanes(v > largest, v, largest);
    }
    return std::max(largest[0], largest[1]);
}

// The largest magnitude in each row of the block k..31 x k..31 still to be eliminated,
// kept from step to step. Swapping columns within the block changes no row's set of
// elements, and a row whose element in the pivot column is 0 is not updated and loses only
// that 0 when the block shrinks, so only the other rows are measured again.
class RowMaxima {
  public:
    explicit RowMaxima(const LsqMatrix& a) {
        for (int i = 0; i < kNmax; ++i) largest_[i] = largestInRow(a, i, 0);
    }

    // The largest element of the block at step k, the first one in row-major order among
    // equals; none passes a NaN in the block's first place. An all-zero block yields its
    // first element, so that the report names it.
    Pivot pivot(const LsqMatrix& a, int k) const {
        if (std::isnan(a[k][k])) return {k, k, a[k][k]};
        int row = k;
        for (int i = k + 1; i < kNmax; ++i) {
            if (largest_[i] > largest_[row]) row = i;
        }
        for (int j = k; j < kNmax; ++j) {
            if (std::fabs(a[row][j]) == largest_[row]) return {row, j, a[row][j]};
        }
        return {k, k, a[k][k]};
    }

    void swapRows(int r1, int r2) { std::swap(largest_[r1], largest_[r2]); }

    // After step k: measures again the rows of the next block that `changed`.
    void remeasure(const LsqMatrix& a, int k, const std::array<bool, kNmax>& changed) {
        for (int i = k + 1; i < kNmax; ++i) {
            if (changed[i]) largest_[i] = largestInRow(a, i, k + 1);
        }
    }

  private:
    std::array<double, kNmax> largest_{};
};

using Factors = std::array<float, kNmax>;

// The indices of the factors that are not zero.
int nonZero(const Factors& factors, std::array<int, kNmax>& indices) {
    int count = 0;
    for (int j = 0; j < kNmax; ++j) {
        if (factors[j] != 0.0f) indices[count++] = j;
    }
    return count;
}

// a += col row^T, the elimination's update. Of the fitted parameters' matrix only a block
// is not the identity, so most factors are 0, and an element they pair with would gain
// only a +-0 that leaves it as it is: no element is ever -0 (the matrix comes from sums
// that start at +0, and x + +-0 is -0 only for x = -0). So only the pairs of non-zero
// factors are added, unless a factor is not finite, where 0 times it would not be 0.
// Whether only those were.
bool addOuterProduct(LsqMatrix& a, const Factors& col, const Factors& row) {
    const auto finite = [](float f) { return std::isfinite(f); };
    if (!std::all_of(col.begin(), col.end(), finite) ||
        !std::all_of(row.begin(), row.end(), finite)) {
        for (int i = 0; i < kNmax; ++i) {
            for (int j = 0; j < kNmax; ++j) a[i][j] += col[i] * row[j];
        }
        return false;
    }
    std::array<int, kNmax> rows;
    std::array<int, kNmax> cols;
    const int rowCount = nonZero(col, rows);
    const int colCount = nonZero(row, cols);
    for (int r = 0; r < rowCount; ++r) {
        const int i = rows[r];
        for (int c = 0; c < colCount; ++c) a[i][cols[c]] += col[i] * row[cols[c]];
    }
    return true;
}

}  // namespace

bool invert(LsqMatrix& a, Console& console) {
    std::array<int, kNmax> pivotRow{};
    std::array<int, kNmax> pivotCol{};
    Factors rowFactor{};  // the scaled pivot row
    Factors colFactor{};  // the pivot column

    RowMaxima maxima(a);
    for (int k = 0; k < kNmax; ++k) {
        const Pivot pivot = maxima.pivot(a, k);
        pivotRow[k] = pivot.row;
        pivotCol[k] = pivot.col;
        if (std::fabs(pivot.value) - 1e-31 <= 0) {
            console.print("singular matrix i=%3d j=%3d pivot= %16.8e\n", pivot.row, pivot.col,
                          pivot.value);
            return false;
        }
        swapRows(a, k, pivot.row);
        maxima.swapRows(k, pivot.row);
        swapColumns(a, k, pivot.col);

        std::array<bool, kNmax> changed{};
        for (int j = 0; j < kNmax; ++j) {
            rowFactor[j] = -a[k][j] / pivot.value;
            colFactor[j] = a[j][k];
            changed[j] = a[j][k] != 0;
        }
        rowFactor[k] = 1 / pivot.value;
        colFactor[k] = 1;
        for (int j = 0; j < kNmax; ++j) {
            a[k][j] = 0;
            a[j][k] = 0;
        }
        if (!addOuterProduct(a, colFactor, rowFactor)) changed.fill(true);
        maxima.remeasure(a, k, changed);
    }

    for (int k = kNmax - 1; k >= 0; --k) {
        swapColumns(a, k, pivotRow[k]);
        swapRows(a, k, pivotCol[k]);
    }
    return true;
}
