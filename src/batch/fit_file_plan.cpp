#include "batch/fit_file_plan.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

#include "batch/plan_text.h"

namespace {

struct FitLine {
    PeakStart peak;
    double eta;
    double wor;
};

constexpr int kFitLineFields = 6;

// One data line of a block; none after setting `what`.
std::optional<FitLine> fitLineOf(const std::string& line, std::string& what) {
    std::istringstream words(line);
    std::array<double, kFitLineFields> values{};
    std::string field;
    int count = 0;
    while (words >> field) {
        const std::optional<double> number = parseNumber(field);
        if (!number) {
            what = "'" + field + "' is not a number";
            return std::nullopt;
        }
        if (count < kFitLineFields) values[count] = *number;
        ++count;
    }
    if (count != kFitLineFields) {
        what = "a fit line holds six numbers: tth Iint FWHM eta w/r chi^2";
        return std::nullopt;
    }
    if (!isTwoTheta(values[0])) {
        what = "the peak position must lie between 0 and 180 degrees";
        return std::nullopt;
    }
    if (!(values[2] > 0.0)) {
        what = "the FWHM must be positive";
        return std::nullopt;
    }
    if (values[2] < kNarrowestFwhm) {
        what = "the FWHM must be at least 0.000001 degrees";
        return std::nullopt;
    }
    return FitLine{{values[0], values[1], values[2]}, values[3], values[4]};
}

Region regionOf(std::vector<FitLine> block) {
    std::sort(block.begin(), block.end(),
              [](const FitLine& a, const FitLine& b) { return a.peak.position < b.peak.position; });
    Region region;
    StartValues start;
    start.eta = block.front().eta;
    region.low = block.front().peak.position - kEndsInFwhms * block.front().peak.fwhm;
    region.high = block.front().peak.position + kEndsInFwhms * block.front().peak.fwhm;
    for (const FitLine& line : block) {
        region.low = std::min(region.low, line.peak.position - kEndsInFwhms * line.peak.fwhm);
        region.high = std::max(region.high, line.peak.position + kEndsInFwhms * line.peak.fwhm);
        region.positions.push_back(line.peak.position);
        start.peaks.push_back(line.peak);
    }
    region.wor = block.front().wor;  // held, as the block's own fit left it
    region.clipToPattern = true;
    region.start = std::move(start);
    return region;
}

bool distinctPositions(const Region& region) {
    return std::adjacent_find(region.positions.begin(), region.positions.end()) ==
           region.positions.end();
}

// Closes the block read so far into a region; false after setting `what`.
bool closeBlock(std::vector<FitLine>& block, Plan& plan, std::string& what) {
    if (block.empty()) return true;
    Region region = regionOf(std::move(block));
    block.clear();
    if (!distinctPositions(region)) {
        what = "two peaks of the block share one position";
        return false;
    }
    plan.push_back(std::move(region));
    return true;
}

bool isSeparator(const std::string& line) {
    return line.compare(0, 2, "#-") == 0;
}

bool isSkipped(const std::string& line) {
    return line.empty() || line[0] == '#' || line.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

PlanRead readFitBlocks(std::istream& in, const std::string& name) {
    PlanRead read;
    std::vector<FitLine> block;
    std::string line, what;
    int number = 0;
    int blockStart = 0;  // the line a block's error names: its first
    auto fail = [&](int at) {
        read.error = lineError(name, at, what);
        read.plan.clear();
        return read;
    };
    while (std::getline(in, line)) {
        ++number;
        if (isSeparator(line)) {
            if (!closeBlock(block, read.plan, what)) return fail(blockStart);
            continue;
        }
        if (isSkipped(line)) continue;
        const std::optional<FitLine> fitLine = fitLineOf(line, what);
        if (!fitLine) return fail(number);
        if (block.empty()) blockStart = number;
        if (block.size() == static_cast<std::size_t>(kMaxPeaks)) {
            what = "a block holds at most 9 peaks";
            return fail(number);
        }
        block.push_back(*fitLine);
    }
    if (!closeBlock(block, read.plan, what)) return fail(blockStart);
    if (read.plan.empty()) read.error = name + ": no fit block in the file";
    return read;
}
