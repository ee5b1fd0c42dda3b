#include "suggest/fitted_peaks.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "console/console.h"
#include "fit/fit_setup.h"
#include "fit/region_fit.h"
#include "suggest/cdt_regions.h"
#include "suggest/filters.h"

namespace {

// W/R refined from here for the pattern's W/R, and held there when no region tells it: a
// usual diffractometer's lies from 0.02 to 0.1.
constexpr double kTypicalWor = 0.05;
// The asymmetry fades with angle: above this, W/R is hardly told by a fit.
constexpr double kHighestAsymmetric = 70.0;
constexpr double kLargestWor = 0.15;
// A further peak lies at least this many FWHMs from every peak of the region and from its
// ends: nearer, the residual is the peak's own misfit.
constexpr double kApartFwhms = 0.5;
// Parameters a peak adds to the fit: position, intensity, FWHM.
constexpr int kPeakParameters = 3;
// Only a peak this many times minSigma high may hide one a third its height beside it.
constexpr double kStrongEnough = 3.0;

struct Trial {
    RegionFit fit;
    double chisqSum = 0.0;  // chi-square, not reduced
};

Trial fitWith(const PatternStore& store, const PeakRegion& region,
              const std::vector<double>& positions, double wor) {
    Trial trial{fitPeakRegion(store, region, positions, wor), 0.0};
    const int points = static_cast<int>(trial.fit.result.calc.size());
    // Two background ends and eta besides the peaks, and one for the reduction.
    const int nu = points - 4 - kPeakParameters * static_cast<int>(positions.size());
    trial.chisqSum = trial.fit.result.chisq * std::max(nu, 1);
    return trial;
}

// The place of the largest residual of a fit, smoothed over a quarter of the narrowest
// peak's width, at least kApartFwhms from every position and from the region's ends.
std::optional<double> largestResidual(const PatternStore& store, const RegionFit& fit,
                                      const PeakRegion& region, double fwhm) {
    const std::vector<float>& diff = fit.result.diff;
    std::vector<double> residual(diff.begin(), diff.end());
    const double points = fwhm / store.tthstep;
    residual = convolve(residual, gaussianKernel(std::max(0.25 * points, 0.5) / kFwhmPerSigma));
    std::optional<double> best;
    double most = 0.0;
    for (std::size_t i = 0; i < residual.size(); ++i) {
        const double tth = store.tth[fit.firstIndex + static_cast<int>(i)];
        const double apart = kApartFwhms * fwhm;
        if (tth < region.low + apart || tth > region.high - apart || residual[i] <= most ||
            std::any_of(region.peaks.begin(), region.peaks.end(),
                        [&](double p) { return std::fabs(p - tth) < apart; }))
            continue;
        most = residual[i];
        best = tth;
    }
    return best;
}

double indexOf(const PatternSamples& samples, double tth) {
    return (tth - samples.tth[0]) / (samples.tth[1] - samples.tth[0]);
}

FoundPeak fittedPeak(const PatternSamples& samples, const RegionFit& fit, int j,
                     const FoundPeak& beside) {
    const FittedPeak& fitted = fit.result.peaks[j];
    const double step = std::fabs(samples.tth[1] - samples.tth[0]);
    FoundPeak peak = beside;
    peak.tth = fitted.position;
    peak.index = indexOf(samples, fitted.position);
    peak.height = fitted.intensity;
    peak.significance = fitted.intensity / samples.noiseAt(fit.result.meanBackground());
    peak.fwhm = fitted.fwhm;
    peak.highHalf = 0.5 * fitted.fwhm;
    peak.width.fwhm = fitted.fwhm / step;
    peak.width.halfBefore = peak.width.halfAfter = 0.5 * peak.width.fwhm;
    peak.width.eta = fit.result.eta;
    peak.shoulder = true;
    return peak;
}

std::vector<PeakRegion> regionsOf(const std::vector<FoundPeak>& peaks) {
    std::vector<PeakPlace> places;
    for (const FoundPeak& peak : peaks) places.push_back({peak.tth, peak.fwhm});
    return regionsFromPositions(places);
}

}  // namespace

RegionFit fitPeakRegion(const PatternStore& store, const PeakRegion& region,
                        const std::vector<double>& positions, double wor) {
    Region fitted{region.low, region.high, positions, wor, std::nullopt, true};
    std::sort(fitted.positions.begin(), fitted.positions.end());
    const FitRequest request{fitted,          wor,  nullptr, false, false, kFitIterations,
                             store.radiation, false};
    std::istringstream noInput;
    std::ostringstream discarded;
    Console quiet(noInput, discarded);
    return fitRegion(store, request, quiet);
}

double patternWor(const PatternStore& store, const std::vector<FoundPeak>& peaks) {
    std::vector<double> values;
    for (const PeakRegion& region : regionsOf(peaks)) {
        if (region.peaks.size() != 1 || region.peaks[0] > kHighestAsymmetric) continue;
        const Trial trial = fitWith(store, region, region.peaks, -kTypicalWor);
        if (trial.fit.engineRan && trial.fit.allOk(1))
            values.push_back(std::clamp(trial.fit.result.wor, 0.0, kLargestWor));
    }
    if (values.empty()) return kTypicalWor;
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

std::vector<FoundPeak> withSecondPeaks(const PatternStore& store, const PatternSamples& samples,
                                       std::vector<FoundPeak> peaks, double minSigma, double wor) {
    std::vector<FoundPeak> added;
    for (const PeakRegion& region : regionsOf(peaks)) {
        if (static_cast<int>(region.peaks.size()) >= kMaxRegionPeaks) continue;
        double narrowest = 1e9, strongest = 0.0;
        const FoundPeak* beside = nullptr;
        for (const FoundPeak& peak : peaks) {
            if (peak.tth < region.low || peak.tth > region.high) continue;
            narrowest = std::min(narrowest, peak.fwhm);
            if (peak.significance > strongest) {
                strongest = peak.significance;
                beside = &peak;
            }
        }
        if (!beside || strongest < kStrongEnough * minSigma) continue;
        const Trial one = fitWith(store, region, region.peaks, wor);
        const int count = static_cast<int>(region.peaks.size());
        if (!one.fit.engineRan || !one.fit.allOk(count)) continue;
        const std::optional<double> place = largestResidual(store, one.fit, region, narrowest);
        if (!place) continue;
        std::vector<double> positions = region.peaks;
        positions.push_back(*place);
        const Trial two = fitWith(store, region, positions, wor);
        if (!two.fit.engineRan || !two.fit.allOk(count + 1) ||
            one.chisqSum - two.chisqSum < minSigma * minSigma)
            continue;
        // The further peak is the fitted one nearest its start place.
        int nearest = 0;
        for (int j = 1; j <= count; ++j)
            if (std::fabs(two.fit.result.peaks[j].position - *place) <
                std::fabs(two.fit.result.peaks[nearest].position - *place))
                nearest = j;
        const FittedPeak& further = two.fit.result.peaks[nearest];
        // Fitted onto a peak's own place, it is no second peak.
        const bool onAnother = std::any_of(
            two.fit.result.peaks.begin(), two.fit.result.peaks.begin() + count + 1,
            [&](const FittedPeak& other) {
                return &other != &further && std::fabs(other.position - further.position) <
                                                 kApartFwhms * std::min(other.fwhm, further.fwhm);
            });
        if (onAnother || further.intensity < minSigma * two.fit.se[nearest].intensity) continue;
        added.push_back(fittedPeak(samples, two.fit, nearest, *beside));
        // The peaks beside it, found with it in their widths, take their fitted places.
        for (FoundPeak& peak : peaks) {
            if (peak.tth < region.low || peak.tth > region.high) continue;
            int own = nearest == 0 ? 1 : 0;
            for (int j = 0; j <= count; ++j)
                if (j != nearest && std::fabs(two.fit.result.peaks[j].position - peak.tth) <
                                        std::fabs(two.fit.result.peaks[own].position - peak.tth))
                    own = j;
            peak.tth = two.fit.result.peaks[own].position;
            peak.index = indexOf(samples, peak.tth);
        }
    }
    peaks.insert(peaks.end(), added.begin(), added.end());
    std::sort(peaks.begin(), peaks.end(),
              [](const FoundPeak& a, const FoundPeak& b) { return a.index < b.index; });
    return peaks;
}

std::vector<FoundPeak> placedByFit(const PatternStore& store, const PatternSamples& samples,
                                   std::vector<FoundPeak> peaks, double wor) {
    for (const PeakRegion& region : regionsOf(peaks)) {
        const Trial trial = fitWith(store, region, region.peaks, wor);
        const int count = static_cast<int>(region.peaks.size());
        if (!trial.fit.engineRan || !trial.fit.allOk(count)) continue;
        for (FoundPeak& peak : peaks) {
            const auto at = std::find(region.peaks.begin(), region.peaks.end(), peak.tth);
            if (at == region.peaks.end()) continue;
            peak.tth = trial.fit.result.peaks[at - region.peaks.begin()].position;
            peak.index = indexOf(samples, peak.tth);
        }
    }
    return peaks;
}
