#include "pattern/fixed_fields.h"
#include "pattern/format_writers.h"

int writeXy(std::FILE* out, const PatternStore& store) {
    int unfaithful = 0;
    for (int i = 0; i <= store.ilast; ++i) {
        // The angles are recomputed on the grid, so an unevenly spaced input comes out even.
        const double tth = store.tthmin + i * store.tthstep;
        long count = 0;
        if (!roundedCount(store.cts[i], count)) ++unfaithful;
        std::fprintf(out, "%8.3f %7ld %8.1f\n", tth, count, store.sig[i]);
    }
    return unfaithful;
}
