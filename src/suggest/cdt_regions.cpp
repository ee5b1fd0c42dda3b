#include "suggest/cdt_regions.h"

#include <algorithm>
#include <cmath>

std::vector<PeakRegion> regionsFromPositions(std::vector<PeakPlace> places) {
    std::sort(places.begin(), places.end(),
              [](const PeakPlace& a, const PeakPlace& b) { return a.tth < b.tth; });
    std::vector<PeakRegion> regions;
    std::vector<double> lowMargins, highMargins;
    double previousFwhm = 0.0;
    for (const PeakPlace& place : places) {
        const double groupDistance = kGroupFwhms * std::max(place.fwhm, previousFwhm);
        const bool joins = !regions.empty() &&
                           place.tth - regions.back().peaks.back() < groupDistance &&
                           static_cast<int>(regions.back().peaks.size()) < kMaxRegionPeaks;
        if (!joins) {
            regions.emplace_back();
            lowMargins.push_back(kMarginFwhms * place.fwhm);
            highMargins.emplace_back();
        }
        regions.back().peaks.push_back(place.tth);
        highMargins.back() = kMarginFwhms * place.fwhm;
        previousFwhm = place.fwhm;
    }
    for (std::size_t k = 0; k < regions.size(); ++k) {
        PeakRegion& region = regions[k];
        region.low = region.peaks.front() - lowMargins[k];
        region.high = region.peaks.back() + highMargins[k];
        if (k > 0)
            region.low =
                std::max(region.low, 0.5 * (regions[k - 1].peaks.back() + region.peaks.front()));
        if (k + 1 < regions.size())
            region.high =
                std::min(region.high, 0.5 * (region.peaks.back() + regions[k + 1].peaks.front()));
    }
    return regions;
}

double fwhmForPosition(double tth, const std::vector<FoundPeak>& found) {
    const FoundPeak* nearest = nullptr;
    for (const FoundPeak& peak : found)
        if (std::fabs(peak.tth - tth) <= peak.fwhm &&
            (!nearest || std::fabs(peak.tth - tth) < std::fabs(nearest->tth - tth)))
            nearest = &peak;
    if (nearest) return nearest->fwhm;
    std::vector<double> widths;
    for (const FoundPeak& peak : found) widths.push_back(peak.fwhm);
    const auto middle = widths.begin() + widths.size() / 2;
    std::nth_element(widths.begin(), middle, widths.end());
    return *middle;
}
