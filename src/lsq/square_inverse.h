#pragma once
// The inverse of a small symmetric positive matrix in double precision, as the covariance of
// a least-squares solution needs it.

#include <vector>

using SquareMatrix = std::vector<std::vector<double>>;

// Gauss-Jordan with full pivoting, in place; false when a pivot is too small.
bool invertInPlace(SquareMatrix& a);

// The inverse of a normal matrix, scaled to unit diagonal first so that the pivot test does
// not depend on the parameters' units; false when a diagonal is not positive or a pivot is
// too small.
bool invertNormalMatrix(const SquareMatrix& normal, SquareMatrix& inverse);
