#include "pattern/scan_normalisation.h"

#include <cmath>

#include "console/console.h"

namespace {

constexpr float kNormalMonitor = 1000000.0f;

}  // namespace

void normaliseToMonitor(PatternStore& store, Console& console) {
    for (int i = 0; i <= store.ilast; ++i) {
        const float counts = store.cts[i];
        const float monitor = store.sig[i];
        if (monitor == 0.0f) {
            console.print("HELP.  i, cts, mon = %ld %f %f\n", static_cast<long>(i), counts,
                          monitor);
            // No record reached this point: no intensity, rather than a division by zero.
            store.cts[i] = 0.0f;
        } else {
            store.cts[i] = counts * kNormalMonitor / monitor;
        }
        if (counts > 0.0f && monitor != 0.0f) {
            store.sig[i] = std::sqrt(counts) * kNormalMonitor / monitor;
        } else {
            store.sig[i] = 1.0f;
            console.print("HELP. i, cts, mon = %ld %f %f\n", static_cast<long>(i), counts, monitor);
        }
    }
}
