#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "console/console.h"
#include "pattern/data_line_layout.h"
#include "pattern/line_conversion.h"
#include "pattern/line_reader.h"
#include "pattern/pattern_checks.h"
#include "pattern/readers.h"

bool readDat(std::FILE* file, Console& console, PatternStore& store) {
    LineReader lines(file, kDataLineBufferSize);
    std::string line;
    std::array<double, 3> header{};
    if (!lines.next(line) || convertHeader(line, header) < 3) {
        // Not PROFIN's header: most often the text columns that scientists exchange as .dat.
        console.print("Error in first line of *.dat file...\n");
        console.print(
            "A .dat file of columns 2theta, counts[, esd] is read with --from csv (fmt=\"csv\" "
            "in Python).\n");
        return false;
    }
    store.tthmin = header[0];
    store.tthstep = header[1];
    const double tthBeforeLast = header[2];  // the header's third value, by PROFIN convention

    DataLineLayout layout(10, "Error in *.dat file...\n", console);
    LineValues counts;
    LineValues weights;
    while (lines.next(line)) {
        const int countsRead = convertValues(line, kTenFieldsOf8, counts);
        // A file may end after a counts line; its weights are then the counts themselves.
        weights = counts;
        const int weightsRead =
            lines.next(line) ? convertValues(line, kTenFieldsOf8, weights) : countsRead;
        if (countsRead < 1 || weightsRead != countsRead) {
            layout.reportLineError();
            return false;
        }
        const int first = layout.place(countsRead);
        if (first < 0) return false;
        std::copy_n(counts.begin(), countsRead, store.cts.begin() + first);
        std::copy_n(weights.begin(), countsRead, store.sig.begin() + first);
        computeTth(store, first, first + countsRead - 1);
    }
    store.ilast = layout.ilast();

    if (std::fabs(tthBeforeLast - ((store.ilast - 1) * store.tthstep + store.tthmin)) > 0.0001)
        console.print("Please, check *.dat file...\n");
    if (!hasEnoughPoints(console, store.ilast)) return false;
    reportPointsRead(console, store.ilast);
    store.tthmax = store.ilast * store.tthstep + store.tthmin;
    return true;
}
