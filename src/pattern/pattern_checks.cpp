#include "pattern/pattern_checks.h"

#include "driver/console.h"

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
