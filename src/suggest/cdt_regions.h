#pragma once
// Fit regions from a list of peak positions (a .cdt file): the rule by which xrdfit --cdt
// groups peaks that must be fitted together and places the background ends around them.

#include <vector>

#include "suggest/peak_search.h"

struct PeakRegion {
    double low = 0.0;           // background end below the peaks, degrees
    double high = 0.0;          // background end above the peaks
    std::vector<double> peaks;  // ascending, one to kMaxRegionPeaks
};

// A position to fit and the FWHM of the peak there, degrees.
struct PeakPlace {
    double tth;
    double fwhm;
};

inline constexpr int kMaxRegionPeaks = 9;  // what one fit holds
// Neighbours closer than this many FWHMs overlap enough to be fitted together.
inline constexpr double kGroupFwhms = 6.0;
// The background ends lie this many FWHMs outside the outer peaks, where a peak's tail has
// fallen to a few percent of its height.
inline constexpr double kMarginFwhms = 3.0;

// The regions, ascending: each peak joins the region of the one below it when they lie
// closer than kGroupFwhms of the wider one's FWHM and that region holds fewer than
// kMaxRegionPeaks peaks. The ends lie kMarginFwhms of the outer peak's own FWHM outside it,
// but never beyond the middle between a region's outer peak and the nearest peak of the next
// region (which only a region split for holding nine peaks can reach).
std::vector<PeakRegion> regionsFromPositions(std::vector<PeakPlace> places);

// The FWHM, degrees, to fit a peak at tth with: that of the found peak (non-empty, any order)
// within one of its own FWHMs of it, the nearest such; else the median of the found peaks',
// for a position the search did not confirm.
double fwhmForPosition(double tth, const std::vector<FoundPeak>& found);
