#include "pattern/grid_angles.h"

#include <cmath>

#include "pattern/angle_grid.h"
#include "pattern/pattern_checks.h"

namespace {

constexpr double kRoundingShare = 0.01;  // of a step: what a file that rounds finely may show

}  // namespace

void snapToGrid(PatternStore& store) {
    if (store.ilast < 1 || firstOffGrid(store) >= 0) return;
    const double origin = meanOrigin(store, store.tthstep);
    double farthest = 0.0;
    for (int i = 0; i <= store.ilast; ++i)
        farthest = std::fmax(farthest, std::fabs(store.tth[i] - (origin + i * store.tthstep)));
    if (!(farthest > kRoundingShare * std::fabs(store.tthstep))) return;
    store.tthmin = origin;
    computeTth(store, 0, store.ilast);
    store.tthmax = store.tth[store.ilast];
}
