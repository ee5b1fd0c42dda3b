#pragma once
// A plan from a peak position file (.cdt, as xrdpick's peak side or xrdsuggest writes it):
// the positions grouped into regions by the rule of regionsFromPositions, each sized by the
// width of the peak the series' first pattern shows there.

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "fit/region.h"
#include "import/import_readers.h"
#include "suggest/peak_search.h"

// The angles a pattern spans, ascending.
struct PatternSpan {
    double low = 0.0;
    double high = 0.0;
};

// Every line that is not blank or a '#' comment gives its first number as a position;
// further numbers on the line are not read. A line that does not begin with a number makes
// the error, which names the file (as `name`) and the line number. found: the peaks the
// search finds on the pattern (non-empty), whose widths size the regions (fwhmForPosition).
// With the pattern's span, positions below it, inside it and above it are never grouped into
// one region: a region reaching past the pattern is not fitted, and would take the peaks
// inside with it.
PlanRead readCdtPlan(std::istream& in, const std::string& name, const std::vector<FoundPeak>& found,
                     const std::optional<PatternSpan>& span = std::nullopt);

// The regions of the positions (any order, repeats dropped) by that rule, each sized by the
// width of the nearest found peak, the parts below, inside and above the span apart.
Plan planFromPositions(std::vector<double> positions, const std::vector<FoundPeak>& found,
                       const std::optional<PatternSpan>& span);

// Reads the .cdt file at `path`, with the peak widths and the span of the first of the
// patterns that can be read (as `input` says).
PlanRead readCdtSource(const std::string& path, const std::vector<std::string>& patterns,
                       const ImportRequest& input);
