#include "import/bin_points.h"

#include <cmath>

int binPoints(PatternPoints& points, int n) {
    const std::size_t groups = points.tth.size() / n;
    const int dropped = static_cast<int>(points.tth.size() % n);
    for (std::size_t g = 0; g < groups; ++g) {
        double tth = 0.0, cts = 0.0, variance = 0.0;
        for (std::size_t i = g * n; i < (g + 1) * n; ++i) {
            tth += points.tth[i];
            cts += points.cts[i];
            variance += points.sig[i] * points.sig[i];
        }
        points.tth[g] = tth / n;
        points.cts[g] = cts;
        points.sig[g] = std::sqrt(variance);
    }
    points.tth.resize(groups);
    points.cts.resize(groups);
    points.sig.resize(groups);
    return dropped;
}
