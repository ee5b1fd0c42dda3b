#pragma once
// The model regions the fit benchmarks are generated from.

#include <vector>

#include "lsq/lsq_state.h"

struct Peak {
    double position;
    double intensity;
    double fwhm;
};

// Nine peaks 2.1 degrees apart from 26 degrees, intensities 300 .. 620, FWHM 0.08 .. 0.16.
std::vector<Peak> ninePeakModel();

// The model of `peaks` with one FWHM each, eta 0.4, W/R `wor` and a background from 80 to
// 60 over `points` points 0.01 degrees apart from tthStart. The peaks' positions,
// intensities and widths are refined, nothing else; the counts are not set yet.
LsqState modelRegion(const std::vector<Peak>& peaks, float tthStart, int points, double wor);
