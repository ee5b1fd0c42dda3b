#include <string>

#include "console/console.h"
#include "pattern/line_conversion.h"
#include "pattern/line_reader.h"
#include "pattern/pattern_checks.h"
#include "pattern/readers.h"
#include "pattern/xy_step.h"

bool readXy(std::FILE* file, Console& console, PatternStore& store) {
    LineReader lines(file, kDataLineBufferSize);
    std::string line;
    LineValues values;
    int count = 0;
    while (lines.next(line)) {
        if (count == MAXBUF) {
            console.print("Too many data points!!! Change the MAXBUF...\n");
            return false;
        }
        if (convertValues(line, "%f %f %f", values) != 3) {
            console.print("Error in *.xy file\n");
            return false;
        }
        store.tth[count] = values[0];
        store.cts[count] = values[1];
        store.sig[count] = values[2];
        ++count;
    }
    store.ilast = count - 1;
    if (!hasEnoughPoints(console, store.ilast)) return false;

    store.tthmin = store.tth[0];
    store.tthmax = store.tth[store.ilast];
    store.tthstep = xyStep(store.tth[0], store.tth[1]);
    if (endsOnGrid(store)) {
        reportPointsRead(console, store.ilast);
    } else {
        console.print("Please, check *.xy file...\n");
    }
    return true;
}
