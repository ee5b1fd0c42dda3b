#include "pattern/grid_angles.h"

#include <cmath>

#include "pattern/pattern_checks.h"

namespace {

constexpr double kRoundingShare = 0.01;  // of a step: what a file that rounds finely may show

// The origin that fits the angles best by least squares for the step chosen.
double leastSquaresOrigin(const PatternStore& store) {
    double sum = 0.0;
    for (int i = 0; i <= store.ilast; ++i) sum += store.tth[i] - i * store.tthstep;
    return sum / (store.ilast + 1);
}

}  // namespace

void snapToGrid(PatternStore& store) {
    if (store.ilast < 1 || firstOffGrid(store) >= 0) return;
    const double origin = leastSquaresOrigin(store);
    double farthest = 0.0;
    for (int i = 0; i <= store.ilast; ++i)
        farthest = std::fmax(farthest, std::fabs(store.tth[i] - (origin + i * store.tthstep)));
    if (!(farthest > kRoundingShare * std::fabs(store.tthstep))) return;
    store.tthmin = origin;
    computeTth(store, 0, store.ilast);
    store.tthmax = store.tth[store.ilast];
}
