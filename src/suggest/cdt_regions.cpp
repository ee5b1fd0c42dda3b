#include "suggest/cdt_regions.h"

#include <algorithm>

std::vector<PeakRegion> regionsFromPositions(std::vector<double> positions, double fwhm) {
    std::sort(positions.begin(), positions.end());
    std::vector<PeakRegion> regions;
    for (const double position : positions) {
        const bool joins = !regions.empty() &&
                           position - regions.back().peaks.back() < kGroupFwhms * fwhm &&
                           static_cast<int>(regions.back().peaks.size()) < kMaxRegionPeaks;
        if (!joins) regions.emplace_back();
        regions.back().peaks.push_back(position);
    }
    const double margin = kMarginFwhms * fwhm;
    for (std::size_t k = 0; k < regions.size(); ++k) {
        PeakRegion& region = regions[k];
        region.low = region.peaks.front() - margin;
        region.high = region.peaks.back() + margin;
        if (k > 0)
            region.low =
                std::max(region.low, 0.5 * (regions[k - 1].peaks.back() + region.peaks.front()));
        if (k + 1 < regions.size())
            region.high =
                std::min(region.high, 0.5 * (region.peaks.back() + regions[k + 1].peaks.front()));
    }
    return regions;
}
