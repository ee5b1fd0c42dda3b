#include "pattern/bin_points.h"

#include <algorithm>
#include <cmath>

#include "console/console.h"
#include "pattern/angle_grid.h"
#include "pattern/pattern_checks.h"

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

void reportBinning(Console& console, int n, std::size_t before, std::size_t after, int dropped) {
    console.print("Binned by %d: %zu points from %zu.\n", n, after, before);
    if (dropped > 0)
        console.print("The last %d point(s), too few for a group of %d, are dropped.\n", dropped,
                      n);
}

bool binPattern(PatternStore& store, int n, Console& console) {
    const auto count = static_cast<std::size_t>(store.ilast + 1);
    PatternPoints points{{store.tth.begin(), store.tth.begin() + count},
                         {store.cts.begin(), store.cts.begin() + count},
                         {store.sig.begin(), store.sig.begin() + count}};
    const bool sigUnset =
        std::all_of(points.sig.begin(), points.sig.end(), [](double sig) { return sig == kUnset; });
    const int dropped = binPoints(points, n);
    reportBinning(console, n, count, points.tth.size(), dropped);
    const int ilast = static_cast<int>(points.tth.size()) - 1;
    if (!hasEnoughPoints(console, ilast)) return false;

    const double step = store.tthstep * n;
    store.fillUnset();
    store.ilast = ilast;
    for (int i = 0; i <= ilast; ++i) {
        store.tth[i] = static_cast<float>(points.tth[i]);
        store.cts[i] = static_cast<float>(points.cts[i]);
        if (!sigUnset) store.sig[i] = static_cast<float>(points.sig[i]);
    }
    setAngleGrid(store, step);
    return true;
}
