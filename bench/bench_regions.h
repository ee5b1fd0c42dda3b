#pragma once
// The model regions the fit benchmarks are generated from.

#include <vector>

#include "lsq/lsq_state.h"
#include "lsq/param_names.h"

struct Peak {
    double position;
    double intensity;
    double fwhm;
};

// Nine peaks 2.1 degrees apart from 26 degrees, intensities 300 .. 620, FWHM 0.08 .. 0.16.
inline std::vector<Peak> ninePeakModel() {
    std::vector<Peak> peaks;
    for (int j = 0; j < kMaxPeaks; ++j)
        peaks.push_back({26.0 + 2.1 * j, 300.0 + 40.0 * j, 0.08 + 0.01 * j});
    return peaks;
}

// The model of `peaks` with one FWHM each, eta 0.4, W/R `wor` and a background from 80 to
// 60 over `points` points 0.01 degrees apart from tthStart. The peaks' positions,
// intensities and widths are refined, nothing else; the counts are not set yet.
inline LsqState modelRegion(const std::vector<Peak>& peaks, float tthStart, int points,
                            double wor) {
    LsqState lsq;
    lsq.fwhmMode = 'f';
    copyNameTable(lsq.params);
    ParamVector& p = lsq.params;
    p[kEta].b = 0.4;
    p[kWor].b = wor;
    p[kLowBkgnd].b = 80.0;
    p[kHighBkgnd].b = 60.0;
    for (int j = 1; j <= static_cast<int>(peaks.size()); ++j) {
        p[peakPosition(j)].b = peaks[j - 1].position;
        p[peakIntensity(j)].b = peaks[j - 1].intensity;
        p[peakFwhm(j)].b = peaks[j - 1].fwhm;
        p[peakPosition(j)].fit = p[peakIntensity(j)].fit = p[peakFwhm(j)].fit = 1;
    }
    lsq.data.assign(points, DataPoint{});
    for (int i = 0; i < points; ++i) lsq.data[i].x = tthStart + 0.01f * i;
    return lsq;
}
