#pragma once
// Shoulders and close pairs told by a fit: where the peaks found in a region leave residuals
// that one more peak explains significantly better, that peak is a peak too. The regions are
// those xrdfit --cdt makes from the found peaks, fitted by the project's own region fit.

#include <vector>

#include "pattern/pattern_store.h"
#include "suggest/pattern_samples.h"
#include "suggest/peak_search.h"

// The peaks (ascending index) with each region's best further peak added where a fit
// with it lowers chi-square (not reduced) by at least minSigma squared and gives it an
// intensity minSigma standard errors high, with every peak of the region ok. With a Kα2
// line in the pattern's radiation the fits take every peak as a doublet.
std::vector<FoundPeak> withSecondPeaks(const PatternStore& store, const PatternSamples& samples,
                                       std::vector<FoundPeak> peaks, double minSigma);
