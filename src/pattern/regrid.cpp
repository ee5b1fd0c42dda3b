#include "pattern/regrid.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "console/console.h"

namespace {

// Angles that only increase or only decrease: between two of them lies one stretch.
bool anglesInOrder(const PatternStore& store, Console& console) {
    const bool increasing = store.tth[1] > store.tth[0];
    for (int i = 1; i <= store.ilast; ++i) {
        const bool up = store.tth[i] > store.tth[i - 1];
        if (store.tth[i] == store.tth[i - 1] || up != increasing) {
            console.print("Cannot regrid: the angles do not %s at point %d (%g after %g).\n",
                          increasing ? "increase" : "decrease", i + 1, store.tth[i],
                          store.tth[i - 1]);
            return false;
        }
    }
    return true;
}

// The number of grid points from the first angle to the last; 0 when it is too many or
// too few, after saying so.
int gridPoints(const PatternStore& store, double step, Console& console) {
    const double span = std::fabs(static_cast<double>(store.tth[store.ilast]) - store.tth[0]);
    // A grid angle a thousandth of a step beyond the last angle is that angle, read as float.
    const double points = std::floor(span / step + 1e-3) + 1.0;
    if (points > MAXBUF) {
        console.print(
            "Cannot regrid to step %g: %.7g points, more than the %d the program holds.\n", step,
            points, MAXBUF);
        return 0;
    }
    if (points < 3) {
        console.print(
            "Cannot regrid to step %g: %.7g point(s), fewer than the 3 a pattern needs.\n", step,
            points);
        return 0;
    }
    return static_cast<int>(points);
}

}  // namespace

bool regridPattern(PatternStore& store, double step, Console& console) {
    if (!anglesInOrder(store, console)) return false;
    const int count = gridPoints(store, step, console);
    if (count == 0) return false;

    const int before = store.ilast + 1;
    const std::vector<float> tth(store.tth.begin(), store.tth.begin() + before);
    const std::vector<float> cts(store.cts.begin(), store.cts.begin() + before);
    const std::vector<float> sig(store.sig.begin(), store.sig.begin() + before);
    const double direction = tth[1] > tth[0] ? 1.0 : -1.0;
    store.fillUnset();
    store.ilast = count - 1;
    store.tthmin = tth[0];
    store.tthstep = direction * step;
    store.tthmax = store.tthmin + store.ilast * store.tthstep;

    int j = 0;  // the stretch from tth[j] to tth[j + 1] holds the grid angle
    for (int k = 0; k < count; ++k) {
        // As float, as the angles read: a grid angle that is one of them takes its values.
        const float angle = static_cast<float>(store.tthmin + k * store.tthstep);
        while (j + 2 < before && (tth[j + 1] - angle) * direction < 0.0) ++j;
        const double b =
            std::clamp((static_cast<double>(angle) - tth[j]) / (tth[j + 1] - tth[j]), 0.0, 1.0);
        const double a = 1.0 - b;
        store.tth[k] = angle;
        store.cts[k] = static_cast<float>(a * cts[j] + b * cts[j + 1]);
        if ((a == 0.0 || sig[j] != kUnset) && (b == 0.0 || sig[j + 1] != kUnset))
            store.sig[k] = static_cast<float>(
                std::sqrt(a * a * sig[j] * sig[j] + b * b * sig[j + 1] * sig[j + 1]));
    }
    return true;
}
