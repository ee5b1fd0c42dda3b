#pragma once
// The comment line that opens each *.fit block xrdfit appends: which pattern and region the
// block fits, and with a radiation known, which; the blocks' lines are then its Kalpha1 lines.
// xrdpick's loader and --from-fit skip it as any '#' line; --from-fit reads the radiation back.

#include <optional>
#include <string>

#include "fit/region_fit.h"
#include "pattern/radiation.h"

// "PATTERN, region R" and, with a radiation, "; radiation: ... (source)" and, with a Kalpha2
// line, "; Kalpha1 lines". Line ends in the pattern's name are shown as '?', so that the
// comment stays one line.
std::string blockComment(const std::string& pattern, int regionNumber, const RegionFit& fit);

struct BlocksRadiation {
    bool kalpha1Lines = false;           // a block says its lines are Kalpha1 lines
    std::optional<Radiation> radiation;  // the first such block's radiation, when it names one
};

// What the block comments of a *.fit file say of the radiation; nothing when it cannot be read.
BlocksRadiation readBlocksRadiation(const std::string& fitFile);
