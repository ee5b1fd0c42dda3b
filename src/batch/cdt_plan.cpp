#include "batch/cdt_plan.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "batch/pattern_input.h"
#include "batch/plan_text.h"
#include "suggest/cdt_regions.h"
#include "suggest/suggestions.h"

namespace {

// The peaks found on the first readable pattern, each with its width; none after setting
// `error`.
std::vector<FoundPeak> seriesPeaks(const std::vector<std::string>& patterns,
                                   const ImportRequest& input, std::string& error) {
    auto store = std::make_unique<PatternStore>();
    for (const std::string& name : patterns) {
        std::string why;
        if (!readPattern(name, input, *store, why)) continue;
        std::vector<FoundPeak> peaks = peaksForRegions(*store);
        if (peaks.empty()) error = name + ": shows no peak width to group the positions by";
        return peaks;
    }
    error = "no pattern can be read to measure the peak widths that group the positions";
    return {};
}

}  // namespace

PlanRead readCdtPlan(std::istream& in, const std::string& name,
                     const std::vector<FoundPeak>& found) {
    PlanRead read;
    std::vector<double> positions;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream fields(line);
        std::string first;
        if (!(fields >> first) || first[0] == '#') continue;
        const std::optional<double> position = parseNumber(first);
        if (!position) {
            read.error = lineError(name, number, "'" + first + "' is not a peak position");
            return read;
        }
        if (!isTwoTheta(*position)) {
            read.error =
                lineError(name, number,
                          "the peak position " + first + " does not lie between 0 and 180 degrees");
            return read;
        }
        positions.push_back(*position);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    if (positions.empty()) {
        read.error = name + ": no peak positions";
        return read;
    }
    std::vector<PeakPlace> places;
    for (const double position : positions)
        places.push_back({position, fwhmForPosition(position, found)});
    for (const PeakRegion& group : regionsFromPositions(places)) {
        Region region;
        region.low = group.low;
        region.high = group.high;
        region.positions = group.peaks;
        region.clipToPattern = true;
        read.plan.push_back(std::move(region));
    }
    return read;
}

PlanRead readCdtSource(const std::string& path, const std::vector<std::string>& patterns,
                       const ImportRequest& input) {
    PlanRead read;
    std::ifstream in(path);
    if (!in) {
        read.error = path + ": cannot be opened";
        return read;
    }
    const std::vector<FoundPeak> found = seriesPeaks(patterns, input, read.error);
    if (found.empty()) return read;
    return readCdtPlan(in, path, found);
}
