#pragma once
// A narrow-peak pattern as a lab diffractometer gives it: 9 to 40 degrees two-theta, step
// 0.0156, FWHM 0.05 to 0.1, its peaks Gaussian and asymmetric (W/R 0.04 in the model; the
// speed benchmark draws them at 0.06). 28 peaks in 14 regions of two, each region 1.6
// degrees wide with its ends on pattern points. With the noise draws and Kα2 companions
// the generated patterns share.

#include <random>
#include <utility>
#include <vector>

#include "drifting_series.h"
#include "fit/region.h"
#include "pattern/pattern_store.h"

inline constexpr int kNarrowRegions = 14;

// The pattern's grid, background and shape, without peaks.
ModelPattern narrowPatternModel();

// The true peaks of region r (0 .. kNarrowRegions - 1): two.
std::vector<TruePeak> narrowRegionPeaks(int r);

// The regions, ends on the grid and start positions at the true peaks.
Plan narrowPlan();

// The Kα2 companions of `model`'s peaks for a Cu tube (intensity ratio 0.5), on no
// background: added to the model's own counts they make every peak a Kα1/Kα2 doublet.
ModelPattern cuCompanions(const ModelPattern& model);

// Each point's two-theta and counts without noise: the whole narrow-peak pattern, all 28
// peaks with the asymmetry of W/R `wor`, with `doublets` every peak a Cu Kα1/Kα2 pair.
std::vector<std::pair<double, float>> narrowPatternPoints(bool doublets, double wor);

// One noise draw of the counts `expected` on a grid of step `step` (sigma = sqrt(counts),
// at least 1), its grid set.
PatternStore drawPattern(const std::vector<std::pair<double, float>>& expected, double step,
                         std::mt19937& draws);
