#include "fit/region_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

#include "fit/click_index.h"
#include "fit/fit_setup.h"
#include "fit/half_max_width.h"
#include "fit/peak_verdicts.h"
#include "fit/radiation_lines.h"
#include "lsq/covariance.h"
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
    // Two points hold no peak between them, wherever its start was put.
    const int points = selection.sel[entry] - selection.sel[0] + 1;
    if (points < 3) {
        fit.note = std::to_string(points) + " points from " + degrees(low) + " to " +
                   degrees(high) + " are too few for a peak";
        return std::nullopt;
    }
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

void carryStart(ParamVector& params, const StartValues& start, const std::vector<int>& kept,
                bool commonFwhm) {
    params[kEta].b = start.eta;
    double fwhmSum = 0.0;
    int widths = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const auto j = static_cast<std::size_t>(kept[i]);
        // A peak with no start of its own keeps the estimate from the data.
        if (j >= start.peaks.size() || !std::isfinite(start.peaks[j].position)) continue;
        const PeakStart& peak = start.peaks[j];
        const int entry = static_cast<int>(i) + 1;
        params[peakPosition(entry)].b = peak.position;
        params[peakIntensity(entry)].b = peak.intensity;
        if (!commonFwhm) params[peakFwhm(entry)].b = peak.fwhm;
        fwhmSum += peak.fwhm;
        ++widths;
    }
    if (commonFwhm && widths > 0) params[kCfwhm].b = fwhmSum / widths;
}

// The selection of the peaks still kept, between the region's own ends.
FitSelection keptSelection(const FitSelection& all, const std::vector<int>& kept) {
    FitSelection selection;
    selection.sel[0] = all.sel[0];
    int entry = 0;
    for (const int j : kept) selection.sel[++entry] = all.sel[j + 1];
    selection.sel[++entry] = all.sel[all.sellast];
    selection.sellast = entry;
    return selection;
}

void applyHolds(ParamVector& params, const FitHolds& holds, const std::vector<int>& kept,
                bool commonFwhm) {
    const auto hold = [&](int k, bool held) {
        if (held) params[k].fit = 0;
    };
    hold(kEta, holds.eta);
    hold(kLowBkgnd, holds.lowBackground);
    hold(kHighBkgnd, holds.highBackground);
    if (commonFwhm) hold(kCfwhm, holds.fwhm);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const int entry = static_cast<int>(i) + 1;
        const auto j = static_cast<std::size_t>(kept[i]);
        hold(peakIntensity(entry), holds.intensity[j]);
        if (!commonFwhm) hold(peakFwhm(entry), holds.fwhm || holds.peakFwhm[j]);
    }
}

// The engine's input for the kept peaks, W/R held or refined.
LsqState preparedFit(const PatternStore& pattern, const FitRequest& request,
                     const FitSelection& all, const std::vector<int>& kept, bool refineWor) {
    LsqState lsq;
    lsq.fwhmMode = request.commonFwhm ? 'g' : 'f';
    lsq.workers = 1;  // a series runs its fits side by side instead
    lsq.mesg = request.verbose ? 1 : 0;
    // W/R as the fit run keeps it, in single precision.
    lsq.params[kWor].b = std::fabs(static_cast<float>(request.wor));
    const FitSelection selection = keptSelection(all, kept);
    setUpFit(lsq, pattern, selection, {request.commonFwhm, refineWor});
    lsq.miter = request.maxIterations;
    lsq.kalpha2 = companionOf(request.radiation);
    if (!request.xrdpickStart)
        startAtHalfMaximum(lsq.params, pattern, selection, request.commonFwhm, lsq.kalpha2);
    // The estimates take each peak's area for one line; the Kα1 line has its share of it.
    if (lsq.kalpha2)
        for (int j = 1; j <= static_cast<int>(kept.size()); ++j)
            lsq.params[peakIntensity(j)].b /= 1.0 + lsq.kalpha2->intensityRatio;
    if (const StartValues* start = request.start) {
        carryStart(lsq.params, *start, kept, request.commonFwhm);
        if (request.wor < 0.0 && start->wor) lsq.params[kWor].b = *start->wor;
    }
    if (request.holds) applyHolds(lsq.params, *request.holds, kept, request.commonFwhm);
    return lsq;
}

struct EngineRun {
    LsqState lsq;
    bool converged = false;
};

EngineRun run(LsqState lsq, Console& reports) {
    const bool converged = lsq_fit(lsq, reports) == 1;
    return {std::move(lsq), converged};
}

bool finiteRefined(const ParamVector& params) {
    for (const FitParam& p : params)
        if (p.fit == 1 && !std::isfinite(p.b)) return false;
    return true;
}

// The profile depends on W/R squared, so a refinement from one start can stall where W/R
// has no slope, on a chi-square many times that of W/R held. W/R is refined from its start
// and again from the fit with W/R held, and the lower chi-square kept.
EngineRun bestRun(const PatternStore& pattern, const FitRequest& request, const FitSelection& all,
                  const std::vector<int>& kept, Console& reports) {
    if (!(request.wor < 0.0)) return run(preparedFit(pattern, request, all, kept, false), reports);
    EngineRun best = run(preparedFit(pattern, request, all, kept, true), reports);
    EngineRun held = run(preparedFit(pattern, request, all, kept, false), reports);
    if (!finiteRefined(held.lsq.params)) return best;
    held.lsq.params[kWor].fit = 1;
    EngineRun fromHeld = run(std::move(held.lsq), reports);
    if (!finiteRefined(best.lsq.params) || fromHeld.lsq.phi_new < best.lsq.phi_new) return fromHeld;
    return best;
}

// Takes the run's curves and region-wide values, and the values, errors, verdicts and flags
// of the peaks it kept.
void record(const EngineRun& engine, const std::vector<int>& kept, const PatternStore& pattern,
            const RegionSpan& span, const FitRequest& request, RegionFit& fit) {
    LsqState lsq = engine.lsq;
    const int peakCount = fit.result.peakCount;
    const std::array<FittedPeak, kMaxPeaks> earlier = fit.result.peaks;
    fit.result = readFitResult(lsq, static_cast<int>(kept.size()), fit.firstIndex, pattern.tthmin,
                               pattern.tthstep);
    const std::array<FittedPeak, kMaxPeaks> now = fit.result.peaks;
    fit.result.peaks = earlier;
    fit.result.peakCount = peakCount;
    fit.engineRan = true;
    fit.iterations = std::min(lsq.iter, lsq.miter);
    fit.etaSe = standardError(lsq, kEta);
    fit.worSe = standardError(lsq, kWor);
    if (request.keepCurves) {
        fit.curves = fitCurves(lsq, kept, peakCount);
        fit.covariance = fitCovariance(lsq, kept);
    }
    unsigned common = request.worAssumed ? kWorAssumed : 0u;
    if (!(fit.result.eta > 0.0 && fit.result.eta < 1.0)) common |= kEtaAtBound;
    if (fit.result.chisq > kHighChi2Limit) common |= kHighChi2;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const int j = kept[i];
        const int entry = static_cast<int>(i) + 1;
        fit.result.peaks[j] = now[i];
        fit.se[j] = {standardError(lsq, peakPosition(entry)),
                     standardError(lsq, peakIntensity(entry)),
                     standardError(lsq, request.commonFwhm ? kCfwhm : peakFwhm(entry))};
        fit.peakStatus[j] = peakVerdict(now[i], fit.se[j], span);
        fit.flags[j] = common | peakFlags(now[i], span, lsq.kalpha2);
    }
}

// The kept peak to drop first: the farthest from ok, then the least significant; none
// when every kept peak is ok.
std::optional<std::size_t> worstPeak(const RegionFit& fit, const std::vector<int>& kept) {
    std::optional<std::size_t> worst;
    auto significance = [&](int j) { return fit.result.peaks[j].intensity / fit.se[j].intensity; };
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const int j = kept[i];
        const int weight = verdictWeight(fit.peakStatus[j]);
        if (weight == 0) continue;
        const int worstWeight = worst ? verdictWeight(fit.peakStatus[kept[*worst]]) : 0;
        if (weight > worstWeight ||
            (weight == worstWeight && !(significance(j) >= significance(kept[*worst]))))
            worst = i;
    }
    return worst;
}

std::string tooFewPointsNote(const PatternStore& pattern, const FitSelection& selection,
                             const LsqState& lsq, const Region& region) {
    std::string note =
        std::to_string(lsq.ndata()) + " points from " + degrees(pattern.tth[selection.sel[0]]) +
        " to " + degrees(pattern.tth[selection.sel[selection.sellast]]) + " are too few for " +
        std::to_string(refinedCount(lsq.params)) + " parameters (peaks at";
    for (const double position : region.positions) note += " " + degrees(position);
    return note + ")";
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
        case FitStatus::NotSignificant:
            return "not-significant";
        case FitStatus::TooNarrow:
            return "too-narrow";
        case FitStatus::IterationLimit:
            return "iteration-limit";
        case FitStatus::Diverged:
            return "diverged";
    }
    return "";
}

std::string flagNames(unsigned flags) {
    static const std::pair<FitFlag, const char*> kNames[] = {{kEtaAtBound, "eta-at-bound"},
                                                             {kWorAssumed, "wor-assumed"},
                                                             {kHighChi2, "high-chi2"},
                                                             {kNearEnd, "near-end"},
                                                             {kKa2Outside, "ka2-outside"}};
    std::string names;
    for (const auto& [flag, name] : kNames) {
        if (!(flags & flag)) continue;
        if (!names.empty()) names += ',';
        names += name;
    }
    return names;
}

bool RegionFit::allOk(int peaks) const {
    for (int j = 0; j < peaks; ++j)
        if (statusOf(j) != FitStatus::Ok) return false;
    return true;
}

RegionFit fitRegion(const PatternStore& pattern, const FitRequest& request, Console& reports) {
    RegionFit fit;
    const std::optional<FitSelection> selection = selectionFor(pattern, request.region, fit);
    if (!selection) return fit;
    const int peakCount = selection->sellast - 1;
    fit.firstIndex = selection->sel[0];
    fit.radiation = request.radiation;
    fit.result.peakCount = peakCount;
    const int lastIndex = selection->sel[selection->sellast];
    const RegionSpan span{pattern.tth[fit.firstIndex], pattern.tth[lastIndex], pattern.tthstep};

    std::vector<int> kept(peakCount);
    std::iota(kept.begin(), kept.end(), 0);
    const LsqState whole = preparedFit(pattern, request, *selection, kept, request.wor < 0.0);
    if (whole.ndata() - 1 - refinedCount(whole.params) <= 0) {
        fit.status = FitStatus::TooFewPoints;
        fit.note = tooFewPointsNote(pattern, *selection, whole, request.region);
        return fit;
    }
    for (;;) {
        const EngineRun engine = bestRun(pattern, request, *selection, kept, reports);
        record(engine, kept, pattern, span, request, fit);
        if (!finiteRefined(engine.lsq.params)) {
            for (const int j : kept) fit.peakStatus[j] = FitStatus::Diverged;
            fit.status = FitStatus::Diverged;
            return fit;
        }
        const std::optional<std::size_t> worst = worstPeak(fit, kept);
        if (!worst) {
            fit.status = engine.converged ? FitStatus::Ok : FitStatus::IterationLimit;
            for (const int j : kept) fit.peakStatus[j] = fit.status;
            return fit;
        }
        if (kept.size() == 1) {
            fit.status = fit.peakStatus[kept[0]];
            return fit;
        }
        // The dropped peak keeps the values and the verdict it was dropped with.
        kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(*worst));
    }
}

StartValues fittedStart(const RegionFit& fit, const StartValues* previous) {
    StartValues start;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int j = 0; j < fit.result.peakCount; ++j) {
        const FittedPeak& peak = fit.result.peaks[j];
        const auto entry = static_cast<std::size_t>(j);
        if (fit.statusOf(j) == FitStatus::Ok)
            start.peaks.push_back({peak.position, peak.intensity, peak.fwhm});
        else if (previous && entry < previous->peaks.size())
            start.peaks.push_back(previous->peaks[entry]);
        else
            start.peaks.push_back({nan, nan, nan});
    }
    start.eta = fit.result.eta;
    start.wor = fit.result.wor;
    return start;
}
