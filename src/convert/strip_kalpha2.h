#pragma once
// Rachinger's removal of the Kα2 contribution from a lab pattern, so that what is left is
// a pattern of Kα1 lines that single-line fits describe.

#include <iosfwd>
#include <optional>
#include <string>

#include "pattern/pattern_store.h"
#include "pattern/radiation.h"

// Replaces the counts by their Kα1 part: from low to high angle, each point's counts less
// `ratio` times the Kα1 counts at the angle whose Kα2 companion falls on it (interpolated
// linearly between the points already stripped), unsmoothed. Points whose source angle lies
// below the first point are taken to be a flat doublet, counts / (1 + ratio). sig is
// propagated: sig1^2 = sig^2 + ratio^2 (the interpolated Kα1 variance). The angles may
// ascend or descend. False, changing nothing, when the radiation has no Kα2 line longer
// than its Kα1 line.
bool stripKalpha2(PatternStore& store, const Radiation& radiation);

// Where the stripped counts lie more than three standard deviations below zero: the
// recursion carries each point's noise on to its companion's place, so a strip that is not
// clean shows there. No points when there is none.
struct DeepNegatives {
    int points = 0;
    double lowest = 0.0;  // the lowest and the highest angle of those points
    double highest = 0.0;
};
DeepNegatives deepNegatives(const PatternStore& store);

// Strips as stripKalpha2 does and says on `err`, each line naming `name`, that it was done
// and where the strip is not clean; false, saying nothing, when there is no Kα2 line to strip.
bool stripAndReport(PatternStore& store, const std::optional<Radiation>& radiation,
                    const std::string& name, std::ostream& err);
