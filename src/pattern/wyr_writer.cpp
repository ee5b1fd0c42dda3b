#include "pattern/fixed_fields.h"
#include "pattern/format_writers.h"
#include "pattern/grid_header.h"

namespace {

constexpr int kCountsPerLine = 8;
// A count needs a blank before it in its 7-character field, or it merges with the count
// before it when read back in free format.
constexpr int kCountRoom = 6;

}  // namespace

int writeWyr(std::FILE* out, const PatternStore& store) {
    // The third value is the last angle of the grid as written, which the reader checks.
    const GridHeader header = gridHeader(store, kDegreeHeader);
    const int d = header.decimals;
    const double tthmax = header.tthmin + store.ilast * header.tthstep;
    if (d == kDegreeHeader.least) {
        std::fprintf(out, "%8.3f%8.3f%8.3f\n", header.tthmin, header.tthstep, tthmax);
    } else {
        // Wider values than the 8-character fields hold: blanks keep them apart.
        std::fprintf(out, "%8.*f %8.*f %8.*f\n", d, header.tthmin, d, header.tthstep, d, tthmax);
    }
    FieldWriter fields(out);
    for (int i = 0; i <= store.ilast; ++i) {
        // A line end only between lines: the file ends without one.
        if (i > 0 && i % kCountsPerLine == 0) std::fputc('\n', out);
        fields.count("%7ld", store.cts[i], kCountRoom);
    }
    return fields.overflows();
}
