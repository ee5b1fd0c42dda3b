#include "pattern/pattern_checks.h"

#include <cmath>
#include <cstdio>

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

int firstOffGrid(const PatternStore& store) {
    const double tolerance = std::fabs(store.tthstep) / 3.0;
    // Written as "not within", so that a step that is not a number puts every point off.
    for (int i = 0; i <= store.ilast; ++i) {
        if (!(std::fabs(store.tth[i] - (store.tthmin + i * store.tthstep)) <= tolerance)) return i;
    }
    return -1;
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
