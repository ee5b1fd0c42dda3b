#include "fit/fit_data.h"

#include <cmath>

namespace {

float weightOf(float cts, float sig) {
    if (!(cts >= 0.0f)) return 0.0f;
    const float w = 1.0f / sig;
    return std::isfinite(w) ? w : 0.0f;
}

}  // namespace

std::vector<DataPoint> regionData(const PatternStore& pattern, int first, int last) {
    std::vector<DataPoint> data;
    data.reserve(last - first + 1);
    for (int p = first; p <= last; ++p) {
        data.push_back(
            {pattern.tth[p], pattern.cts[p], weightOf(pattern.cts[p], pattern.sig[p]), 0.0f});
    }
    return data;
}
