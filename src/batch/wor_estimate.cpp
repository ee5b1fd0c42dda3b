#include "batch/wor_estimate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "console/console.h"
#include "fit/region_fit.h"

namespace {

// The spacing of the coarse ladder, and how closely the search pins W/R down.
constexpr double kCoarseRung = 0.025;
constexpr double kWorTolerance = 0.0005;

struct WorValue {
    double weight;  // how sharply the region's chi-square tells W/R
    double wor;
};

// The value at which the weights, taken in ascending order of value, pass half their sum
// (with no weight at all, the plain median).
double weightedMedian(std::vector<WorValue> values) {
    std::sort(values.begin(), values.end(),
              [](const WorValue& a, const WorValue& b) { return a.wor < b.wor; });
    double total = 0.0;
    for (const WorValue& v : values) total += v.weight;
    if (!(total > 0.0)) {
        for (WorValue& v : values) v.weight = 1.0;
        total = static_cast<double>(values.size());
    }
    double sum = 0.0;
    for (const WorValue& v : values) {
        sum += v.weight;
        if (sum >= total / 2) return v.wor;
    }
    return values.back().wor;
}

// The region fitted with W/R held at one value: its reduced chi-square, or none when the
// fit is not ok.
class HeldFit {
  public:
    HeldFit(const PatternStore& pattern, const Region& region, const SeriesSettings& settings)
        : pattern_(pattern), region_(region), settings_(settings) {}

    std::optional<double> chisq(double wor, const StartValues* start) {
        const FitRequest request{region_,
                                 wor,
                                 start ? start : (region_.start ? &*region_.start : nullptr),
                                 settings_.commonFwhm,
                                 false,
                                 settings_.maxIterations,
                                 pattern_.radiation,
                                 false,
                                 nullptr,
                                 false,
                                 settings_.xrdpickStart};
        std::istringstream noInput;
        std::ostringstream discarded;
        Console quiet(noInput, discarded);
        last_ = fitRegion(pattern_, request, quiet);
        if (last_.status != FitStatus::Ok) return std::nullopt;
        return last_.result.chisq;
    }

    const RegionFit& last() const { return last_; }

  private:
    const PatternStore& pattern_;
    const Region& region_;
    const SeriesSettings& settings_;
    RegionFit last_;
};

// The chi-square's minimum along W/R is sharp where the peak is clear: a coarse ladder
// finds its valley, each rung fitted from the data's own estimates (a rung started from
// its neighbour's fit may keep that fit's wrong shape), and a golden-section search in the
// valley, each fit started from the ladder's best, pins it down. The region's weight is
// the total chi-square's rise one rung from the valley's floor (the less of the two sides):
// where the asymmetry is too faint to tell W/R, the chi-square hardly moves along the
// ladder, and that region's value is a guess that must not outvote the others.
std::optional<WorValue> regionWorValue(const PatternStore& pattern, const Region& region,
                                       const SeriesSettings& settings) {
    HeldFit held(pattern, region, settings);
    std::vector<std::optional<double>> ladder;
    std::optional<std::size_t> best;
    std::optional<StartValues> bestStart;
    for (int rung = 0; rung * kCoarseRung <= kLargestWor + 1e-9; ++rung) {
        ladder.push_back(held.chisq(rung * kCoarseRung, nullptr));
        if (ladder.back() && (!best || *ladder.back() < *ladder[*best])) {
            best = ladder.size() - 1;
            bestStart = fittedStart(held.last(), nullptr);
        }
    }
    if (!best) return std::nullopt;
    const double bestChisq = *ladder[*best];
    const auto rise = [&](std::size_t rung) {
        return rung < ladder.size() && ladder[rung] ? *ladder[rung] - bestChisq
                                                    : std::numeric_limits<double>::infinity();
    };
    const double below = *best > 0 ? rise(*best - 1) : rise(*best + 1);
    const double sharpness = std::min(below, rise(*best + 1));
    const double points = static_cast<double>(held.last().result.calc.size());
    const double weight = std::isfinite(sharpness) ? sharpness * points : 0.0;
    const double bestWor = static_cast<double>(*best) * kCoarseRung;
    // Golden section over [a, b]; a valley floor without a good fit is taken as high.
    constexpr double kGolden = 0.6180339887498949;
    double a = std::max(0.0, bestWor - kCoarseRung), b = bestWor + kCoarseRung;
    const auto value = [&](double wor) {
        return held.chisq(wor, &*bestStart).value_or(std::numeric_limits<double>::infinity());
    };
    double c = b - kGolden * (b - a), d = a + kGolden * (b - a);
    double fc = value(c), fd = value(d);
    while (b - a > kWorTolerance) {
        if (fc <= fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - kGolden * (b - a);
            fc = value(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + kGolden * (b - a);
            fd = value(d);
        }
    }
    const double wor = (a + b) / 2;
    // The ladder's own rung where the valley holds nothing better (W/R 0 exactly, say).
    if (!(std::min(fc, fd) < bestChisq)) return WorValue{weight, bestWor};
    return WorValue{weight, wor};
}

}  // namespace

WorEstimate estimateWor(const PatternStore& pattern, const Plan& plan,
                        const SeriesSettings& settings) {
    // Regions of one peak tell W/R best; without any, regions of several serve.
    std::vector<const Region*> single, several;
    for (const Region& region : plan) {
        if (region.positions.back() > kHighestAsymmetric) continue;
        (region.positions.size() == 1 ? single : several).push_back(&region);
    }
    const std::vector<const Region*>& candidates = single.empty() ? several : single;
    if (candidates.empty()) return {std::nullopt, 0, "no region lies below 70 degrees"};
    std::vector<WorValue> values;
    for (const Region* region : candidates)
        if (const std::optional<WorValue> value = regionWorValue(pattern, *region, settings))
            values.push_back(*value);
    if (values.empty()) return {std::nullopt, 0, "no region below 70 degrees fitted well"};
    std::sort(values.begin(), values.end(),
              [](const WorValue& a, const WorValue& b) { return a.weight > b.weight; });
    if (values.size() > static_cast<std::size_t>(kAutoWorPeaks)) values.resize(kAutoWorPeaks);
    return {weightedMedian(values), static_cast<int>(values.size()), ""};
}
