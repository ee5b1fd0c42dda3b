#pragma once
// What a lab tube's doublet does to the peaks found: every reflection shows its Kα2
// companion a little higher, separate where the peaks are narrow, pulling the apex towards
// it where they merge. The found list is made a list of Kα1 lines.

#include <optional>
#include <string>
#include <vector>

#include "pattern/radiation.h"
#include "suggest/peak_search.h"

// Drops every peak that sits at the Kα2 place of a stronger one (within half the wider
// one's FWHM) with about the intensity ratio of its height, and any weaker finding between
// the two, and moves each remaining apex to the Kα1 line whose doublet has its apex there
// (a doublet of lines as wide as the companion where one was found, else as the peak).
// Nothing changes without a Kα2 line. Returns how many peaks were dropped.
int keepKalpha1Lines(std::vector<FoundPeak>& peaks, const std::optional<Radiation>& radiation);

// Peaks that come in pairs at the Kα1/Kα2 split of a known anode, read where the pattern
// states no radiation: the anode and the Kα1 lines of the pairs, ascending.
struct TubePairs {
    std::string anode;
    std::vector<double> kalpha1;
};

// The anode (Cu, Co, Fe, Cr, Mo, Ag) at whose split most strong peaks have a companion about
// half as high, when at least kFewestPairs of them do and they are at least half the strong
// peaks that are no companion themselves; none otherwise.
inline constexpr int kFewestPairs = 3;
std::optional<TubePairs> pairsOfATube(const std::vector<FoundPeak>& peaks);
