#include "pattern/angle_grid.h"

#include "pattern/pattern_checks.h"
#include "pattern/xy_step.h"

namespace {

// The step of the first and the last angle: (tth[ilast] - tth[0]) / ilast.
double spanStep(const PatternStore& store) {
    return (static_cast<double>(store.tth[store.ilast]) - store.tth[0]) / store.ilast;
}

// The slope s minimising the sum of (tth[i] - tth[0] - i s)^2.
double anchoredFitStep(const PatternStore& store) {
    double products = 0.0, squares = 0.0;
    for (int i = 1; i <= store.ilast; ++i) {
        products += i * (static_cast<double>(store.tth[i]) - store.tth[0]);
        squares += static_cast<double>(i) * i;
    }
    return products / squares;
}

}  // namespace

double meanOrigin(const PatternStore& store, double step) {
    double sum = 0.0;
    for (int i = 0; i <= store.ilast; ++i) sum += store.tth[i] - i * step;
    return sum / (store.ilast + 1);
}

bool setAngleGrid(PatternStore& store, std::optional<double> preferred) {
    store.tthmin = store.tth[0];
    store.tthmax = store.tth[store.ilast];
    for (const std::optional<double> step :
         {preferred, std::optional{spanStep(store)}, std::optional{anchoredFitStep(store)}}) {
        if (!step) continue;
        store.tthstep = *step;
        if (firstOffGrid(store) < 0) return true;
    }
    // An export that rounds its angles coarsely may put its first angle farther off the
    // stated step's grid than the rest: that grid, through the angles' mean.
    if (preferred) {
        store.tthstep = *preferred;
        store.tthmin = meanOrigin(store, *preferred);
        if (firstOffGrid(store) < 0) return true;
        store.tthmin = store.tth[0];
    }
    store.tthstep = xyStep(store.tth[0], store.tth[1]);
    return firstOffGrid(store) < 0;
}
