#include "pattern/fixed_fields.h"
#include "pattern/format_writers.h"

namespace {

constexpr int kCountsPerLine = 8;
// A count needs a blank before it in its 7-character field, or it merges with the count
// before it when read back in free format.
constexpr int kCountRoom = 6;

}  // namespace

int writeWyr(std::FILE* out, const PatternStore& store) {
    std::fprintf(out, "%8.3f%8.3f%8.3f\n", store.tthmin, store.tthstep, store.tthmax);
    FieldWriter fields(out);
    for (int i = 0; i <= store.ilast; ++i) {
        // A line end only between lines: the file ends without one.
        if (i > 0 && i % kCountsPerLine == 0) std::fputc('\n', out);
        fields.count("%7ld", store.cts[i], kCountRoom);
    }
    return fields.overflows();
}
