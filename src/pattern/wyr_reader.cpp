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

bool readWyr(std::FILE* file, Console& console, PatternStore& store) {
    LineReader lines(file, kDataLineBufferSize);
    std::string line;
    std::array<double, 3> header{};
    if (!lines.next(line) || convertHeader(line, header) < 3) {
        console.print("Error in first line of *.wyr file...\n");
        return false;
    }
    store.tthmin = header[0];
    store.tthstep = header[1];
    store.tthmax = header[2];

    DataLineLayout layout(8, "Error in *.wyr file...\n", console);
    LineValues values;
    while (lines.next(line)) {
        const int count = convertValues(line, "%f %f %f %f %f %f %f %f", values);
        if (count < 1) {
            layout.reportLineError();
            return false;
        }
        const int first = layout.place(count);
        if (first < 0) return false;
        std::copy_n(values.begin(), count, store.cts.begin() + first);
        computeTth(store, first, first + count - 1);
    }
    store.ilast = layout.ilast();

    if (std::fabs(store.tthmax - (store.ilast * store.tthstep + store.tthmin)) > 0.0001)
        console.print("Please, check *.wyr file...\n");
    if (!hasEnoughPoints(console, store.ilast)) return false;
    reportPointsRead(console, store.ilast);
    return true;
}
