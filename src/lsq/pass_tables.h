#pragma once
// The profile tables one pass over the ROI points works from: one per present peak at
// the current parameters and, for a derivatives pass, one for every peak whose profile a
// numerical step reshapes.

#include <array>
#include <vector>

#include "lsq/lsq_state.h"
#include "lsq/profile_table.h"

struct PassTables {
    int peaks = 0;                     // present peaks; table j - 1 is peak j's own
    std::vector<ProfileTable> tables;  // then the reshaped ones
    // For each parameter, the table of each peak its step reshapes, -1 where the peak
    // keeps its own profile (every peak, for parameters not differentiated numerically).
    std::array<std::array<int, kMaxPeaks>, kNmax> stepped{};
};

// The present peaks' own tables only, for a chi-square pass.
void buildPeakTables(PassTables& pass, const LsqState& lsq);

// The peaks' own tables and the reshaped ones, for a derivatives pass. A position and,
// with one FWHM per peak, a FWHM reshape their own peak; W/R and, in common-FWHM mode,
// "cfwhm" reshape every peak.
void buildDerivativeTables(PassTables& pass, const LsqState& lsq);
