#include <array>

#include "pattern/fixed_fields.h"
#include "pattern/format_writers.h"
#include "pattern/grid_header.h"

namespace {

constexpr int kPointsPerRecord = 5;
constexpr int kFieldWidth = 8;  // read back with fixed "%8f" fields

}  // namespace

int writeGda(std::FILE* out, const PatternStore& store, const std::string& title) {
    std::fprintf(out, "%-80s\n", title.c_str());
    const long points = store.ilast + 1;
    const long records = store.ilast / kPointsPerRecord + 1;
    // GSAS gives the angles in centidegrees; the line is 80 characters wide. Wider values
    // than the 10-character fields hold are kept apart by a blank.
    const GridHeader header = gridHeader(store, kCentidegreeHeader);
    const int d = header.decimals;
    std::array<char, 160> bank{};
    std::snprintf(bank.data(), bank.size(),
                  d == kCentidegreeHeader.least ? "BANK  1 %8ld%8ld CONST %10.*lf%10.*lf 0 0 ESD"
                                                : "BANK  1 %8ld%8ld CONST %10.*lf %10.*lf 0 0 ESD",
                  points, records, d, header.tthmin, d, header.tthstep);
    std::fprintf(out, "%-80s\n", bank.data());
    FieldWriter fields(out);
    for (int i = 0; i <= store.ilast; ++i) {
        // A line end only between records: the file ends without one.
        if (i > 0 && i % kPointsPerRecord == 0) std::fputc('\n', out);
        fields.real("%8.1f", store.cts[i], kFieldWidth);
        fields.real("%8.1f", store.sig[i], kFieldWidth);
    }
    return fields.overflows();
}
