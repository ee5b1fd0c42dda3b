#include "batch/plan_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>

std::optional<double> parseNumber(const std::string& field) {
    if (field.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(field.c_str(), &end);
    if (end != field.c_str() + field.size() || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isTwoTheta(double position) {
    return position > 0.0 && position < 180.0;
}

std::string lineError(const std::string& name, int line, const std::string& what) {
    return name + ":" + std::to_string(line) + ": " + what;
}

PlanRead readPlanSource(const std::string& path, PlanReader reader) {
    std::ifstream in(path);
    if (in) return reader(in, path);
    PlanRead read;
    read.error = path + ": cannot be opened";
    return read;
}
