#pragma once
// When two cells describe one lattice, and the conventional setting a solution is listed in.
// Two cells are one lattice when their primitive cells have the same volume and the same
// shortest lattice vectors: a cubic F lattice found again as tetragonal I, or a monoclinic
// cell with another choice of a and c, is not a second solution.

#include <array>
#include <vector>

#include "cell/lattice.h"

// The lengths squared of the shortest lattice vectors (one of each +-pair, ascending) and
// the primitive volume: what tells a lattice apart.
struct LatticePrint {
    double primitiveVolume = 0.0;
    std::vector<double> shortest;  // Å^2
};

LatticePrint latticePrint(const Cell& cell);

// Within `tolerance` as a fraction.
bool sameLattice(const LatticePrint& x, const LatticePrint& y, double tolerance);

// The cell in its conventional setting: orthorhombic with the centred face as C (a < b) and
// otherwise a <= b <= c; monoclinic P with a and c the shortest pair of their plane, beta
// from 90 to 120 and a <= c. The other systems are conventional as they stand.
Cell conventionalCell(const Cell& cell);
