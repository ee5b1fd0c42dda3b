#include "pattern/pattern_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "console/console.h"

void computeTth(PatternStore& store, int first, int last) {
    for (int i = first; i <= last; ++i)
        store.tth.at(i) = static_cast<float>(i * store.tthstep + store.tthmin);
}

bool hasEnoughPoints(Console& console, int ilast) {
    if (ilast > 1) return true;
    console.print("Too small data points!!! Check the file...\n");
    return false;
}

void reportPointsRead(Console& console, int ilast) {
    console.print("%ld data points read.\n", static_cast<long>(ilast) + 1);
}

void reportTooManyPoints(Console& console, std::size_t count, int bin) {
    // The least bin whose whole groups, count / fits, number at most MAXBUF.
    const std::size_t fits = count / (MAXBUF + 1) + 1;
    if (bin <= 1) {
        console.print(
            "This pattern holds %zu points, more than the %d the program holds: sum neighbours "
            "with xrdconvert --bin %zu.\n",
            count, MAXBUF, fits);
        return;
    }
    console.print(
        "This pattern holds %zu points, %zu binned by %d, more than the %d the program holds: "
        "sum neighbours with xrdconvert --bin %zu.\n",
        count, count / bin, bin, MAXBUF, fits);
}

namespace {

// A share of a step by which the angles' mean misfit to the grid may differ before and
// after a point: a file's rounding leaves the mean of a long stretch near its grid on
// either side; a jump in the angles does not.
constexpr double kLargestShift = 0.12;

// The first point after which the angles' mean misfit to the grid shifts by more than
// kLargestShift of a step, the ends' tenth (at least ten points) left out where the means
// are short; -1 when there is none. A step fitted through both sides of a jump spreads it
// within a third of a step of every angle, so the pointwise test alone lets it pass.
int shiftPoint(const PatternStore& store) {
    const int n = store.ilast + 1;
    const int margin = std::max(10, n / 10);
    if (n < 2 * margin + 1) return -1;
    std::vector<double> sums(n + 1, 0.0);
    for (int i = 0; i < n; ++i)
        sums[i + 1] = sums[i] + (store.tth[i] - (store.tthmin + i * store.tthstep));
    double largest = kLargestShift * std::fabs(store.tthstep);
    int at = -1;
    for (int k = margin; k <= n - margin; ++k) {
        const double before = sums[k] / k, after = (sums[n] - sums[k]) / (n - k);
        if (std::fabs(after - before) > largest) {
            largest = std::fabs(after - before);
            at = k;
        }
    }
    return at;
}

}  // namespace

int firstOffGrid(const PatternStore& store) {
    const double tolerance = std::fabs(store.tthstep) / 3.0;
    // Written as "not within", so that a step that is not a number puts every point off.
    for (int i = 0; i <= store.ilast; ++i) {
        if (!(std::fabs(store.tth[i] - (store.tthmin + i * store.tthstep)) <= tolerance)) return i;
    }
    return shiftPoint(store);
}

std::string offGridReason(const PatternStore& store) {
    const int off = firstOffGrid(store);
    if (off < 0) return "";
    char text[300];
    std::snprintf(text, sizeof text,
                  "the angles lie on no grid of one step: point %d (%.4f) lies %.4f off the grid "
                  "of step %.6f from %.4f (xrdconvert --regrid STEP puts the pattern on one)",
                  off + 1, store.tth[off],
                  std::fabs(store.tth[off] - (store.tthmin + off * store.tthstep)), store.tthstep,
                  store.tthmin);
    return text;
}
