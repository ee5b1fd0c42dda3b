#pragma once
// Weighted least squares of a cell on observed two-theta: the free parameters of its system,
// a zero-point shift and, if asked, a sample displacement that moves every line by a term in
// cos theta. Weights are 1/tth_se^2 when every line has a standard error, else equal; the
// standard errors come from the covariance (the inverse of the normal matrix at the
// solution) scaled by the reduced chi-square, so that over repeated draws they match the
// scatter.

#include <optional>
#include <string>
#include <vector>

#include "cell/lattice.h"
#include "cell/observed_lines.h"

struct RefineSettings {
    bool zero = true;           // refine the zero-point shift; else hold it at its start
    bool displacement = false;  // refine the cos theta term
    double zeroStart = 0.0;
    double tolerance = 0.06;  // degrees: a line farther from every calculated line is unindexed
};

// One observed line as the refinement saw it.
struct LineFit {
    int line = 0;                        // index in the line set
    std::vector<Hkl> hkls;               // the calculated lines' hkl that fall on it
    double tthObs = 0.0, tthCalc = 0.0;  // tthCalc includes zero and displacement
    double dObs = 0.0, dCalc = 0.0;      // dObs from tthObs corrected for zero and displacement
    double weight = 0.0;
};

struct CellRefinement {
    Cell cell;
    std::vector<double> se;                    // of the free values, in freeValues order
    double zero = 0.0, zeroSe = std::nan("");  // degrees; NaN when held
    double displacement = 0.0, displacementSe = std::nan("");  // degrees times cos theta
    double volume = 0.0, volumeSe = 0.0;
    double chi2 = 0.0;  // the weighted sum of squares
    int dof = 0;        // indexed lines less refined parameters
    std::vector<LineFit> indexed;
    std::vector<int> unindexed;  // indices in the line set
    std::string problem;         // why there is no refinement; empty when there is one
};

// Refines `start` on the lines (lambda known). A problem when fewer lines index than there
// are parameters to refine, or the normal matrix cannot be inverted.
CellRefinement refineCell(const LineSet& set, const Cell& start, const RefineSettings& settings);

// Two-theta of a line of spacing d with a zero shift and a displacement term.
double shiftedTth(double d, double lambda, double zero, double displacement);
