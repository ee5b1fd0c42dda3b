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

struct SeriesPattern {
    std::vector<FoundPeak> peaks;  // each with its width
    PatternSpan span;
};

// The peaks found on the first readable pattern, and its span; no peaks after setting
// `error`.
SeriesPattern seriesPattern(const std::vector<std::string>& patterns, const ImportRequest& input,
                            std::string& error) {
    auto store = std::make_unique<PatternStore>();
    for (const std::string& name : patterns) {
        std::string why;
        if (!readPattern(name, input, *store, why)) continue;
        SeriesPattern first{peaksForRegions(*store), {store->tth[0], store->tth[store->ilast]}};
        if (first.peaks.empty()) error = name + ": shows no peak width to group the positions by";
        return first;
    }
    error = "no pattern can be read to measure the peak widths that group the positions";
    return {};
}

// The positions below the span, inside it and above it, each part grouped on its own.
std::vector<PeakRegion> groupedBySpan(const std::vector<PeakPlace>& places,
                                      const std::optional<PatternSpan>& span) {
    if (!span) return regionsFromPositions(places);
    std::vector<PeakPlace> parts[3];
    for (const PeakPlace& place : places)
        parts[place.tth < span->low ? 0 : place.tth > span->high ? 2 : 1].push_back(place);
    std::vector<PeakRegion> regions;
    for (const std::vector<PeakPlace>& part : parts) {
        if (part.empty()) continue;
        const std::vector<PeakRegion> grouped = regionsFromPositions(part);
        regions.insert(regions.end(), grouped.begin(), grouped.end());
    }
    return regions;
}

}  // namespace

PlanRead readCdtPlan(std::istream& in, const std::string& name, const std::vector<FoundPeak>& found,
                     const std::optional<PatternSpan>& span) {
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
    if (positions.empty()) {
        read.error = name + ": no peak positions";
        return read;
    }
    read.plan = planFromPositions(std::move(positions), found, span);
    return read;
}

Plan planFromPositions(std::vector<double> positions, const std::vector<FoundPeak>& found,
                       const std::optional<PatternSpan>& span) {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::vector<PeakPlace> places;
    for (const double position : positions)
        places.push_back({position, fwhmForPosition(position, found)});
    Plan plan;
    for (const PeakRegion& group : groupedBySpan(places, span)) {
        Region region;
        region.low = group.low;
        region.high = group.high;
        region.positions = group.peaks;
        region.clipToPattern = true;
        plan.push_back(std::move(region));
    }
    return plan;
}

PlanRead readCdtSource(const std::string& path, const std::vector<std::string>& patterns,
                       const ImportRequest& input) {
    PlanRead read;
    std::ifstream in(path);
    if (!in) {
        read.error = path + ": cannot be opened";
        return read;
    }
    const SeriesPattern first = seriesPattern(patterns, input, read.error);
    if (first.peaks.empty()) return read;
    return readCdtPlan(in, path, first.peaks, first.span);
}
