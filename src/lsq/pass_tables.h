#pragma once
// The profile tables one pass over the ROI points works from: one per line of each present
// peak at the current parameters and, for a derivatives pass, one per line of every peak
// whose profile a numerical step reshapes. A peak's lines are the Kα1 line and, with a
// Kα2 companion, the companion's next to it.

#include <array>
#include <vector>

#include "lsq/lsq_state.h"
#include "lsq/profile_table.h"

struct PassTables {
    int peaks = 0;                     // present peaks
    int lines = 1;                     // tables per peak: 2 with a companion
    double companionRatio = 0.0;       // the companion's intensity ratio
    std::vector<ProfileTable> tables;  // the peaks' own, then the reshaped ones
    // For each parameter, the first table of each peak its step reshapes, -1 where the
    // peak keeps its own profile (every peak, for parameters not differentiated
    // numerically).
    std::array<std::array<int, kMaxPeaks>, kNmax> stepped{};

    int ownTables() const { return peaks * lines; }
    int ownTable(int j) const { return (j - 1) * lines; }  // peak j's first
};

// The present peaks' own tables only, for a chi-square pass.
void buildPeakTables(PassTables& pass, const LsqState& lsq);

// The peaks' own tables and the reshaped ones, for a derivatives pass. A position and,
// with one FWHM per peak, a FWHM reshape their own peak; W/R and, in common-FWHM mode,
// "cfwhm" reshape every peak.
void buildDerivativeTables(PassTables& pass, const LsqState& lsq);
