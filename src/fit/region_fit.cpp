#include "fit/region_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "fit/click_index.h"
#include "fit/fit_setup.h"
#include "fit/radiation_lines.h"
#include "lsq/lsq_fit.h"
#include "lsq/lsq_reports.h"

namespace {

// Whether two-theta x falls on a pattern point by the rule that places a click: at or just
// below x, within the points read.
bool onPattern(const PatternStore& pattern, double x) {
    const double steps = (x - pattern.tthmin) / pattern.tthstep;
    const double scaled = steps * 10000.0 + 0.5;
    return scaled >= 0.0 && std::trunc(scaled * 0.0001) <= pattern.ilast;
}

std::string degrees(double tth) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", tth);
    return text;
}

// The region's ends in this pattern: a region whose ends were placed by rule is drawn in to
// the pattern's own ends, so that a peak near either end is still fitted.
std::pair<double, double> endsIn(const PatternStore& pattern, const Region& region) {
    if (!region.clipToPattern) return {region.low, region.high};
    return {std::max(region.low, static_cast<double>(pattern.tth[0])),
            std::min(region.high, static_cast<double>(pattern.tth[pattern.ilast]))};
}

// The selection the fitting mode would hold after clicks at the region's ends and peaks;
// none, with the fit's status and note set, when the region cannot be selected.
std::optional<FitSelection> selectionFor(const PatternStore& pattern, const Region& region,
                                         RegionFit& fit) {
    const auto [low, high] = endsIn(pattern, region);
    fit.status = FitStatus::Outside;
    if (!onPattern(pattern, low) || !onPattern(pattern, high)) return std::nullopt;
    for (const double position : region.positions)
        if (!onPattern(pattern, position)) return std::nullopt;
    FitSelection selection;
    selection.sel[0] = clickIndex(pattern, static_cast<float>(low));
    int entry = 0;
    for (const double position : region.positions)
        selection.sel[++entry] = clickIndex(pattern, static_cast<float>(position));
    selection.sel[++entry] = clickIndex(pattern, static_cast<float>(high));
    selection.sellast = entry;
    if (selection.sel[0] >= selection.sel[entry]) return std::nullopt;
    fit.status = FitStatus::TooFewPoints;
    for (int j = 1; j < entry; ++j) {
        if (selection.sel[j] <= selection.sel[0] || selection.sel[j] >= selection.sel[entry]) {
            fit.note = "the peak at " + degrees(region.positions[j - 1]) +
                       " lies on an end of its region (" + degrees(low) + " to " + degrees(high) +
                       ")";
            return std::nullopt;
        }
    }
    return selection;
}

void carryStart(ParamVector& params, const StartValues& start, bool commonFwhm) {
    params[kEta].b = start.eta;
    double fwhmSum = 0.0;
    for (int j = 1; j <= static_cast<int>(start.peaks.size()); ++j) {
        const PeakStart& peak = start.peaks[j - 1];
        params[peakPosition(j)].b = peak.position;
        params[peakIntensity(j)].b = peak.intensity;
        if (!commonFwhm) params[peakFwhm(j)].b = peak.fwhm;
        fwhmSum += peak.fwhm;
    }
    if (commonFwhm) params[kCfwhm].b = fwhmSum / static_cast<double>(start.peaks.size());
}

// As the engine's final report gives it: the normal-matrix diagonal against the reduced
// chi-square in single precision.
double standardError(const LsqState& lsq, int k) {
    const float s = std::sqrt(reducedChisq(lsq.phi_new, lsq.nu));
    const double scale = lsq.params[k].scale;
    return scale > 0.0 ? s / scale : std::numeric_limits<double>::infinity();
}

bool finiteRefined(const ParamVector& params) {
    for (const FitParam& p : params)
        if (p.fit == 1 && !std::isfinite(p.b)) return false;
    return true;
}

bool peaksInRegion(const RegionFit& fit, const PatternStore& pattern, int lastIndex) {
    const double low = pattern.tth[fit.firstIndex], high = pattern.tth[lastIndex];
    for (int j = 0; j < fit.result.peakCount; ++j) {
        const FittedPeak& peak = fit.result.peaks[j];
        if (!(peak.fwhm > 0.0) || !(peak.position >= low && peak.position <= high)) return false;
    }
    return true;
}

// A peak the data do not hold: the fit gives it no height, or cannot tell its values.
bool everyPeakFound(const RegionFit& fit) {
    for (int j = 0; j < fit.result.peakCount; ++j) {
        const PeakErrors& se = fit.se[j];
        if (!(fit.result.peaks[j].intensity > 0.0) || !std::isfinite(se.position) ||
            !std::isfinite(se.intensity) || !std::isfinite(se.fwhm))
            return false;
    }
    return true;
}

FitStatus judged(const RegionFit& fit, const LsqState& lsq, const PatternStore& pattern,
                 int lastIndex, bool converged) {
    if (!finiteRefined(lsq.params)) return FitStatus::Diverged;
    if (!everyPeakFound(fit)) return FitStatus::NoPeak;
    if (!peaksInRegion(fit, pattern, lastIndex)) return FitStatus::Diverged;
    return converged ? FitStatus::Ok : FitStatus::IterationLimit;
}

}  // namespace

const char* statusName(FitStatus status) {
    switch (status) {
        case FitStatus::Ok:
            return "ok";
        case FitStatus::Unreadable:
            return "unreadable";
        case FitStatus::IrregularGrid:
            return "irregular-grid";
        case FitStatus::Outside:
            return "outside";
        case FitStatus::TooFewPoints:
            return "too-few-points";
        case FitStatus::NoPeak:
            return "no-peak";
        case FitStatus::IterationLimit:
            return "iteration-limit";
        case FitStatus::Diverged:
            return "diverged";
    }
    return "";
}

RegionFit fitRegion(const PatternStore& pattern, const FitRequest& request, Console& reports) {
    RegionFit fit;
    const std::optional<FitSelection> selection = selectionFor(pattern, request.region, fit);
    if (!selection) return fit;
    const int peakCount = selection->sellast - 1;
    fit.firstIndex = selection->sel[0];

    LsqState lsq;
    lsq.fwhmMode = request.commonFwhm ? 'g' : 'f';
    lsq.workers = 1;  // a series runs its fits side by side instead
    lsq.mesg = request.verbose ? 1 : 0;
    // W/R as the fit run keeps it, in single precision.
    const float wor = static_cast<float>(request.wor);
    const bool refineWor = wor < 0.0f;
    lsq.params[kWor].b = std::fabs(wor);
    setUpFit(lsq, pattern, *selection, {request.commonFwhm, refineWor});
    lsq.miter = request.maxIterations;
    fit.radiation = request.radiation;
    lsq.kalpha2 = companionOf(request.radiation);
    // The estimates take each peak's area for one line; the Kα1 line has its share of it.
    if (lsq.kalpha2)
        for (int j = 1; j <= peakCount; ++j)
            lsq.params[peakIntensity(j)].b /= 1.0 + lsq.kalpha2->intensityRatio;
    if (const StartValues* start = request.start) {
        carryStart(lsq.params, *start, request.commonFwhm);
        if (refineWor && start->wor) lsq.params[kWor].b = *start->wor;
    }
    if (lsq.ndata() - 1 - refinedCount(lsq.params) <= 0) {
        fit.status = FitStatus::TooFewPoints;
        fit.note = std::to_string(lsq.ndata()) + " points from " +
                   degrees(pattern.tth[selection->sel[0]]) + " to " +
                   degrees(pattern.tth[selection->sel[selection->sellast]]) + " are too few for " +
                   std::to_string(refinedCount(lsq.params)) + " parameters (peaks at";
        for (const double position : request.region.positions) fit.note += " " + degrees(position);
        fit.note += ")";
        return fit;
    }

    const bool converged = lsq_fit(lsq, reports) == 1;
    fit.engineRan = true;
    fit.result = readFitResult(lsq, peakCount, fit.firstIndex, pattern.tthmin, pattern.tthstep);
    fit.iterations = lsq.iter;
    for (int j = 1; j <= peakCount; ++j) {
        fit.se[j - 1] = {standardError(lsq, peakPosition(j)), standardError(lsq, peakIntensity(j)),
                         standardError(lsq, request.commonFwhm ? kCfwhm : peakFwhm(j))};
    }
    fit.status = judged(fit, lsq, pattern, selection->sel[selection->sellast], converged);
    return fit;
}

StartValues fittedStart(const RegionFit& fit) {
    StartValues start;
    for (int j = 0; j < fit.result.peakCount; ++j) {
        const FittedPeak& peak = fit.result.peaks[j];
        start.peaks.push_back({peak.position, peak.intensity, peak.fwhm});
    }
    start.eta = fit.result.eta;
    start.wor = fit.result.wor;
    return start;
}
