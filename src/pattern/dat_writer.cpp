#include <algorithm>

#include "pattern/fixed_fields.h"
#include "pattern/format_writers.h"
#include "pattern/grid_header.h"

namespace {

constexpr int kPointsPerLine = 10;
constexpr int kFieldWidth = 8;  // read back with fixed "%8f" fields

}  // namespace

int writeDat(std::FILE* out, const PatternStore& store) {
    // The third header value is the angle of the point before the last, as PROFIN expects,
    // on the grid as written.
    const GridHeader header = gridHeader(store, kDegreeHeader);
    const int d = header.decimals;
    std::fprintf(out, "%8.*f %8.*f %8.*f\n", d, header.tthmin, d, header.tthstep, d,
                 header.tthmin + (store.ilast - 1) * header.tthstep);
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
