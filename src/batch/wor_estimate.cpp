#include "batch/wor_estimate.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "console/console.h"
#include "fit/region_fit.h"

namespace {

struct WorValue {
    double intensity;  // also the weight
    double wor;
};

// The value at which the weights, taken in ascending order of value, pass half their sum.
double weightedMedian(std::vector<WorValue> values) {
    std::sort(values.begin(), values.end(),
              [](const WorValue& a, const WorValue& b) { return a.wor < b.wor; });
    double total = 0.0;
    for (const WorValue& v : values) total += v.intensity;
    double sum = 0.0;
    for (const WorValue& v : values) {
        sum += v.intensity;
        if (sum >= total / 2) return v.wor;
    }
    return values.back().wor;
}

// The region fitted with W/R refined from each start, the best chi-square kept: a refinement
// may stall where W/R has no slope; none when no start gave a good fit.
std::optional<RegionFit> refinedFit(const PatternStore& pattern, const Region& region,
                                    const SeriesSettings& settings, double start) {
    std::optional<RegionFit> best;
    for (const double from : {start, start / 2, start * 2}) {
        const FitRequest request{region,
                                 -std::fabs(from),  // refined
                                 region.start ? &*region.start : nullptr,
                                 settings.commonFwhm,
                                 false,
                                 settings.maxIterations,
                                 pattern.radiation};
        std::istringstream noInput;
        std::ostringstream discarded;
        Console quiet(noInput, discarded);
        RegionFit fit = fitRegion(pattern, request, quiet);
        if (fit.status == FitStatus::Ok && (!best || fit.result.chisq < best->result.chisq))
            best = std::move(fit);
    }
    return best;
}

}  // namespace

WorEstimate estimateWor(const PatternStore& pattern, const Plan& plan,
                        const SeriesSettings& settings, double start) {
    std::vector<WorValue> values;
    for (const Region& region : plan) {
        if (region.positions.size() != 1 || region.positions[0] > kHighestAsymmetric) continue;
        const std::optional<RegionFit> fit = refinedFit(pattern, region, settings, start);
        if (!fit) continue;
        // The profile depends on W/R squared: its sign tells nothing.
        values.push_back({fit->result.peaks[0].intensity, std::fabs(fit->result.wor)});
    }
    if (values.empty()) return {};
    std::sort(values.begin(), values.end(),
              [](const WorValue& a, const WorValue& b) { return a.intensity > b.intensity; });
    if (values.size() > static_cast<std::size_t>(kAutoWorPeaks)) values.resize(kAutoWorPeaks);
    return {weightedMedian(values), static_cast<int>(values.size())};
}
