#pragma once
// What a lab tube's doublet does to the peaks found: every reflection shows its Kα2
// companion a little higher, separate where the peaks are narrow, pulling the apex towards
// it where they merge. The found list is made a list of Kα1 lines.

#include <optional>
#include <vector>

#include "pattern/radiation.h"
#include "suggest/peak_search.h"

// Drops every peak that sits at the Kα2 place of a stronger one (within half the wider
// one's FWHM) with about the intensity ratio of its height, and any weaker finding between
// the two, and moves each remaining apex to the Kα1 line whose doublet has its apex there
// (a doublet of lines as wide as the companion where one was found, else as the peak).
// Nothing changes without a Kα2 line. Returns how many peaks were dropped.
int keepKalpha1Lines(std::vector<FoundPeak>& peaks, const std::optional<Radiation>& radiation);
