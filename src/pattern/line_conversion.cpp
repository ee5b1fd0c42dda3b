#include "pattern/line_conversion.h"

#include <cmath>
#include <cstdio>

namespace {

// The leading values that were converted, or 0 when one of them is not a pattern value.
template <typename Values>
int finiteCount(int converted, const Values& values) {
    if (converted <= 0) return 0;  // EOF: the line held nothing but white space
    for (int k = 0; k < converted; ++k)
        if (!isPatternValue(values[k])) return 0;
    return converted;
}

}  // namespace

bool isPatternValue(double value) {
    return std::fabs(value) <= kLargestValue;
}

int convertValues(const std::string& line, const char* format, LineValues& v) {
    const int converted = std::sscanf(line.c_str(), format, &v[0], &v[1], &v[2], &v[3], &v[4],
                                      &v[5], &v[6], &v[7], &v[8], &v[9]);
    return finiteCount(converted, v);
}

int convertHeader(const std::string& line, std::array<double, 3>& v) {
    const int converted = std::sscanf(line.c_str(), "%lf %lf %lf", &v[0], &v[1], &v[2]);
    return finiteCount(converted, v);
}
