#pragma once
// The quadratic forms the search solves for: in each system Q(hkl) is linear in at most four
// reciprocal terms, Q = sum p_j t_j(hkl):
//   cubic        p = 1/a^2            t = (h^2+k^2+l^2)
//   tetragonal   p = (1/a^2, 1/c^2)   t = (h^2+k^2, l^2)
//   hexagonal    p = (4/3a^2, 1/c^2)  t = (h^2+hk+k^2, l^2)
//   orthorhombic p = (1/a^2, 1/b^2, 1/c^2)  t = (h^2, k^2, l^2)
//   monoclinic   p = (A, B, C, E)     t = (h^2, k^2, l^2, hl), E = 2 a* c* cos beta*
// and the low-index hkl that the first lines are tried as.

#include <array>
#include <optional>
#include <vector>

#include "cell/lattice.h"

using Terms = std::array<double, 4>;

Terms termsOf(CrystalSystem system, const Hkl& hkl);

// The primitive cell of the terms' values; none when they describe no lattice.
std::optional<Cell> cellOfTerms(CrystalSystem system, const double* p);

// The hkl the first lines are tried as, one per distinct set of terms, lowest first.
std::vector<Hkl> trialHkls(CrystalSystem system);

// How many lines of a pattern's lowest are tried as those hkl: enough that a set free of an
// impurity is among them, few enough for the combinations to stay within the time.
int trialLineCount(CrystalSystem system);
