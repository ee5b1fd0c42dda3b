#include <algorithm>

#include "pattern/fixed_fields.h"
#include "pattern/format_writers.h"

namespace {

constexpr int kPointsPerLine = 10;
constexpr int kFieldWidth = 8;  // read back with fixed "%8f" fields

}  // namespace

int writeDat(std::FILE* out, const PatternStore& store) {
    // The third header value is the angle of the point before the last, as PROFIN expects.
    std::fprintf(out, "%8.3f %8.3f %8.3f\n", store.tthmin, store.tthstep,
                 store.tthmax - store.tthstep);
    FieldWriter fields(out);
    for (int first = 0; first <= store.ilast; first += kPointsPerLine) {
        const int last = std::min(first + kPointsPerLine - 1, store.ilast);
        for (int i = first; i <= last; ++i) fields.real("%8.1f", store.cts[i], kFieldWidth);
        std::fputc('\n', out);
        for (int i = first; i <= last; ++i) fields.real("%8.2f", store.sig[i], kFieldWidth);
        if (last < store.ilast) std::fputc('\n', out);
    }
    return fields.overflows();
}
