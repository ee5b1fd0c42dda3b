#include "pattern/fixed_fields.h"
#include "pattern/format_writers.h"

namespace {

constexpr int kPointsPerRecord = 5;
constexpr int kFieldWidth = 8;  // read back with fixed "%8f" fields

}  // namespace

int writeGda(std::FILE* out, const PatternStore& store, const std::string& title) {
    std::fprintf(out, "%-80s\n", title.c_str());
    const long points = store.ilast + 1;
    const long records = store.ilast / kPointsPerRecord + 1;
    // GSAS gives the angles in centidegrees.
    std::fprintf(out, "BANK  1 %8ld%8ld CONST %10.2lf%10.2lf 0 0 ESD                     \n",
                 points, records, store.tthmin * 100.0, store.tthstep * 100.0);
    FieldWriter fields(out);
    for (int i = 0; i <= store.ilast; ++i) {
        // A line end only between records: the file ends without one.
        if (i > 0 && i % kPointsPerRecord == 0) std::fputc('\n', out);
        fields.real("%8.1f", store.cts[i], kFieldWidth);
        fields.real("%8.1f", store.sig[i], kFieldWidth);
    }
    return fields.overflows();
}
