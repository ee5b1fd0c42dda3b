#include "batch/plan_file.h"

#include <sstream>
#include <vector>

#include "batch/plan_text.h"

namespace {

const std::string kWorField = "wor=";

// The fields of a line, its comment dropped.
std::vector<std::string> fieldsOf(const std::string& line) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::vector<std::string> fields;
    std::string field;
    while (words >> field) fields.push_back(field);
    return fields;
}

// LOW < P1 < ... < Pn < HIGH
bool ascendsBetweenEnds(const Region& region) {
    double previous = region.low;
    for (const double position : region.positions) {
        if (!(position > previous)) return false;
        previous = position;
    }
    return region.high > previous;
}

// One region from the fields of a line; none after setting `what`.
std::optional<Region> regionOf(const std::vector<std::string>& fields, std::string& what) {
    Region region;
    std::vector<double> numbers;
    for (const std::string& field : fields) {
        const bool isWor = field.compare(0, kWorField.size(), kWorField) == 0;
        const std::optional<double> number =
            parseNumber(isWor ? field.substr(kWorField.size()) : field);
        if (!number) {
            what = "'" + field + (isWor ? "' is not a W/R (wor=NUMBER)" : "' is not a number");
            return std::nullopt;
        }
        if (isWor) {
            region.wor = number;
        } else {
            numbers.push_back(*number);
        }
    }
    if (numbers.size() < 2) {
        what = regionProblem(region);
        return std::nullopt;
    }
    region.low = numbers[0];
    region.high = numbers[1];
    region.positions.assign(numbers.begin() + 2, numbers.end());
    what = regionProblem(region);
    if (!what.empty()) return std::nullopt;
    return region;
}

}  // namespace

std::string regionProblem(const Region& region) {
    if (region.positions.empty()) return "a region needs LOW HIGH and at least one peak position";
    if (region.positions.size() > static_cast<std::size_t>(kMaxPeaks))
        return "a region holds at most 9 peaks";
    if (!ascendsBetweenEnds(region)) return "the peaks must ascend strictly between LOW and HIGH";
    return "";
}

PlanRead readPlan(std::istream& in, const std::string& name) {
    PlanRead read;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::vector<std::string> fields = fieldsOf(line);
        if (fields.empty()) continue;
        std::string what;
        std::optional<Region> region = regionOf(fields, what);
        if (!region) {
            read.error = lineError(name, number, what);
            read.plan.clear();
            return read;
        }
        read.plan.push_back(std::move(*region));
    }
    if (read.plan.empty()) read.error = name + ": no region in the plan";
    return read;
}
