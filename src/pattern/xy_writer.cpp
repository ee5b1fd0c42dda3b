#include "pattern/fixed_fields.h"
#include "pattern/format_writers.h"

int writeXy(std::FILE* out, const PatternStore& store) {
    int unfaithful = 0;
    for (int i = 0; i <= store.ilast; ++i) {
        // The angles as read: the grid reproduces them only to the file's rounding, and an
        // angle read as 3.031 must not come back as 3.032.
        long count = 0;
        if (!roundedCount(store.cts[i], count)) ++unfaithful;
        std::fprintf(out, "%8.3f %7ld %8.1f\n", store.tth[i], count, store.sig[i]);
    }
    return unfaithful;
}
