#pragma once
// The lines a lattice gives: every hkl its centring leaves present up to a largest Q,
// grouped into lines of one Q (the hkl of a line are those that fall together, each
// family once).

#include <vector>

#include "cell/lattice.h"

struct CalculatedLine {
    double q = 0.0;         // 1/d^2, 1/Å^2
    std::vector<Hkl> hkls;  // one of each family that falls here
};

// Families that differ in Q by less than this fraction fall together.
inline constexpr double kSameQ = 1e-9;

// Ascending Q, at most qmax. Bounded: a cell that would give more than maxLines lines
// gives the first maxLines + 1, enough to tell that it gives too many.
std::vector<CalculatedLine> calculatedLines(const Cell& cell, double qmax, int maxLines = 100000);

// The hkl as "h k l", each index printed with its sign.
std::string hklText(const Hkl& hkl);
