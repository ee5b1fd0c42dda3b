#pragma once
// What a fit says about the found peaks. The regions are those xrdfit --cdt makes from them,
// fitted by the project's own region fit: shoulders and close pairs, and the places of
// merged Kα1/Kα2 doublets.

#include <vector>

#include "fit/region_fit.h"
#include "pattern/pattern_store.h"
#include "suggest/cdt_regions.h"
#include "suggest/pattern_samples.h"
#include "suggest/peak_search.h"

// A region of the found peaks fitted at these positions (any order) as xrdfit fits it, its
// ends drawn in to the pattern's, with W/R held (negative: refined from its size).
RegionFit fitPeakRegion(const PatternStore& store, const PeakRegion& region,
                        const std::vector<double>& positions, double wor);

// The pattern's W/R: the median of those the fits of its single peaks below 70 degrees
// refine, or a usual diffractometer's where none tells it. The fits below hold it: refined
// with each peak's place, it would take over what the place should say.
double patternWor(const PatternStore& store, const std::vector<FoundPeak>& peaks);

// The peaks (ascending index) with each region's best further peak added where a fit
// with it lowers chi-square (not reduced) by at least minSigma squared and gives it an
// intensity minSigma standard errors high, with every peak of the region ok. With a Kα2
// line in the pattern's radiation the fits take every peak as a doublet.
std::vector<FoundPeak> withSecondPeaks(const PatternStore& store, const PatternSamples& samples,
                                       std::vector<FoundPeak> peaks, double minSigma, double wor);

// The peaks with the places a fit of their regions gives them, where every peak of the
// region is ok: with a Kα2 line in the pattern's radiation, the Kα1 lines of doublets that
// merge into one peak, which no apex shows.
std::vector<FoundPeak> placedByFit(const PatternStore& store, const PatternSamples& samples,
                                   std::vector<FoundPeak> peaks, double wor);
