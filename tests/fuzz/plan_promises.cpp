#include "plan_promises.h"

#include <cmath>

#include "fuzz_support.h"
#include "lsq/fit_param.h"

namespace {

void requireStartValues(const StartValues& start, std::size_t peaks) {
    require(start.peaks.size() == peaks, "start values are given for every peak of the region");
    for (const PeakStart& peak : start.peaks)
        require(std::isfinite(peak.position) && std::isfinite(peak.intensity) &&
                    std::isfinite(peak.fwhm),
                "a peak's start values are finite");
    require(std::isfinite(start.eta), "the start eta is finite");
    require(!start.wor || std::isfinite(*start.wor), "a start W/R is finite");
}

void requireRegion(const Region& region) {
    require(std::isfinite(region.low) && std::isfinite(region.high), "a region's ends are finite");
    require(region.low < region.high, "a region's low end lies below its high end");
    require(
        !region.positions.empty() && region.positions.size() <= static_cast<std::size_t>(kMaxPeaks),
        "a region holds 1 to 9 peaks");
    double previous = region.low;
    for (const double position : region.positions) {
        require(std::isfinite(position), "a peak position is finite");
        require(position > previous, "the peaks ascend strictly from the low end");
        previous = position;
    }
    require(region.high > previous, "the peaks lie below the high end");
    require(!region.wor || std::isfinite(*region.wor), "a region's W/R is finite");
    if (region.start) requireStartValues(*region.start, region.positions.size());
}

}  // namespace

void requirePlanRead(const PlanRead& read, const std::string& name) {
    if (!read.error.empty()) {
        require(read.error.compare(0, name.size(), name) == 0, "an error names the file first");
        require(read.plan.empty(), "an error comes with no plan");
        return;
    }
    require(!read.plan.empty(), "a plan read without an error holds a region");
    for (const Region& region : read.plan) requireRegion(region);
}
