#include "lsq/invert.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "lsq_test_data.h"

namespace {

LsqMatrix product(const LsqMatrix& a, const LsqMatrix& b) {
    LsqMatrix c{};
    for (int i = 0; i < kNmax; ++i) {
        for (int j = 0; j < kNmax; ++j) {
            for (int k = 0; k < kNmax; ++k) c[i][j] += a[i][k] * b[k][j];
        }
    }
    return c;
}

double worstDistanceFromIdentity(const LsqMatrix& m) {
    double worst = 0.0;
    for (int i = 0; i < kNmax; ++i) {
        for (int j = 0; j < kNmax; ++j) {
            worst = std::max(worst, std::fabs(m[i][j] - (i == j ? 1.0 : 0.0)));
        }
    }
    return worst;
}

// Gauss-Jordan with full pivoting element by element, as the engine's inversion is
// written down: the largest element, first in row-major order, single-precision factors,
// every element updated at every step.
bool plainInvert(LsqMatrix& a) {
    std::array<int, kNmax> pivotRow{};
    std::array<int, kNmax> pivotCol{};
    for (int k = 0; k < kNmax; ++k) {
        int row = k;
        int col = k;
        for (int i = k; i < kNmax; ++i) {
            for (int j = k; j < kNmax; ++j) {
                if (std::fabs(a[i][j]) > std::fabs(a[row][col])) row = i, col = j;
            }
        }
        const double pivot = a[row][col];
        if (std::fabs(pivot) - 1e-31 <= 0) return false;
        pivotRow[k] = row;
        pivotCol[k] = col;
        std::swap(a[k], a[row]);
        for (auto& r : a) std::swap(r[k], r[col]);
        std::array<float, kNmax> rowFactor{};
        std::array<float, kNmax> colFactor{};
        for (int j = 0; j < kNmax; ++j) {
            rowFactor[j] = -a[k][j] / pivot;
            colFactor[j] = a[j][k];
        }
        rowFactor[k] = 1 / pivot;
        colFactor[k] = 1;
        for (int j = 0; j < kNmax; ++j) a[k][j] = a[j][k] = 0;
        for (int i = 0; i < kNmax; ++i) {
            for (int j = 0; j < kNmax; ++j) a[i][j] += colFactor[i] * rowFactor[j];
        }
    }
    for (int k = kNmax - 1; k >= 0; --k) {
        for (auto& r : a) std::swap(r[k], r[pivotRow[k]]);
        std::swap(a[k], a[pivotCol[k]]);
    }
    return true;
}

}  // namespace

// The engine's matrices: a damped correlation block of the refined parameters, the
// identity elsewhere, ties between equal diagonals everywhere. However the inversion
// saves work on them, it must give every bit the plain elimination gives.
TEST(Invert, SameBitsAsThePlainEliminationOnTheEnginesMatrices) {
    std::mt19937 random(41);
    std::uniform_real_distribution<double> correlation(-0.95, 0.95);
    std::bernoulli_distribution refined(0.3);
    for (int trial = 0; trial < 300; ++trial) {
        const double lambda = trial % 3 == 0 ? 0.0 : std::pow(10.0, -(trial % 5));
        LsqMatrix a{};
        std::array<bool, kNmax> fitted{};
        for (int k = 0; k < kNmax; ++k) fitted[k] = refined(random);
        for (int i = 0; i < kNmax; ++i) {
            a[i][i] = 1.0 + static_cast<float>(lambda);
            for (int j = 0; j < i; ++j) {
                if (fitted[i] && fitted[j])
                    a[i][j] = a[j][i] = correlation(random) / (1 + trial % 4);
            }
        }
        LsqMatrix plain = a;
        StringConsole out;
        const bool invertible = invert(a, out.console);
        ASSERT_EQ(invertible, plainInvert(plain)) << "trial " << trial;
        for (int i = 0; i < kNmax; ++i) {
            for (int j = 0; j < kNmax; ++j) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(a[i][j]),
                          std::bit_cast<std::uint64_t>(plain[i][j]))
                    << "trial " << trial << " element " << i << ", " << j;
            }
        }
    }
}

TEST(Invert, DiagonalMatrixGivesReciprocals) {
    LsqMatrix a{};
    for (int k = 0; k < kNmax; ++k) a[k][k] = (k % 2 == 0 ? 1.0 : -1.0) * (k + 1) * 0.5;
    StringConsole out;
    ASSERT_TRUE(invert(a, out.console));
    for (int i = 0; i < kNmax; ++i) {
        for (int j = 0; j < kNmax; ++j) {
            const double expected = i == j ? 1 / ((i % 2 == 0 ? 1.0 : -1.0) * (i + 1) * 0.5) : 0.0;
            EXPECT_NEAR(a[i][j], expected, 1e-7 * std::fabs(expected)) << i << "," << j;
        }
    }
    EXPECT_EQ(out.text(), "");
}

TEST(Invert, RandomWellConditionedMatrixTimesInverseIsIdentity) {
    std::mt19937 generator(20261207);
    std::uniform_real_distribution<double> entry(-1.0, 1.0);
    for (int trial = 0; trial < 5; ++trial) {
        LsqMatrix a{};
        for (auto& row : a) {
            for (double& value : row) value = entry(generator);
        }
        for (int k = 0; k < kNmax; ++k) a[k][k] += 8.0;  // diagonally dominant enough
        LsqMatrix inverse = a;
        StringConsole out;
        ASSERT_TRUE(invert(inverse, out.console));
        EXPECT_LT(worstDistanceFromIdentity(product(a, inverse)), 1e-6) << trial;
        EXPECT_LT(worstDistanceFromIdentity(product(inverse, a)), 1e-6) << trial;
    }
}

TEST(Invert, PivotingCopesWithZerosOnTheDiagonal) {
    // A permutation-like matrix: every diagonal element is 0, so the pivots come from
    // elsewhere and both the row and the column exchanges must be undone.
    LsqMatrix a{};
    for (int k = 0; k < kNmax; ++k) {
        a[k][(k + 5) % kNmax] = 2.0 + k;
        a[k][(k + 11) % kNmax] = 0.5;
    }
    LsqMatrix inverse = a;
    StringConsole out;
    ASSERT_TRUE(invert(inverse, out.console));
    EXPECT_LT(worstDistanceFromIdentity(product(a, inverse)), 1e-6);
}

TEST(Invert, ZeroBlockReportsSingularMatrixWithPivotZero) {
    // Only the first 20 rows and columns carry anything; after 20 passes the remaining
    // block is all zero.
    LsqMatrix a{};
    for (int k = 0; k < 20; ++k) {
        a[k][k] = 3.0;
        a[k][(k + 1) % 20] = 1.0;
    }
    StringConsole out;
    EXPECT_FALSE(invert(a, out.console));
    EXPECT_EQ(out.text(), "singular matrix i= 20 j= 20 pivot=   0.00000000e+00\n");
}

TEST(Invert, TinyPivotCountsAsSingular) {
    LsqMatrix a{};
    for (int k = 0; k < kNmax; ++k) a[k][k] = 1.0;
    a[7][7] = 1e-32;
    StringConsole out;
    EXPECT_FALSE(invert(a, out.console));
    EXPECT_EQ(out.text(), "singular matrix i= 31 j= 31 pivot=   1.00000000e-32\n");
}
