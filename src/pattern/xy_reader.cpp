#include <string>

#include "console/console.h"
#include "pattern/angle_grid.h"
#include "pattern/bin_points.h"
#include "pattern/line_conversion.h"
#include "pattern/line_reader.h"
#include "pattern/pattern_checks.h"
#include "pattern/readers.h"
#include "pattern/xy_step.h"

namespace {

// The lines left in the file, so that a file too long for the store can be told the bin
// that makes it fit.
std::size_t remainingLines(LineReader& lines) {
    std::string line;
    std::size_t count = 0;
    while (lines.next(line)) ++count;
    return count;
}

}  // namespace

bool readXy(std::FILE* file, int bin, Console& console, PatternStore& store) {
    LineReader lines(file, kDataLineBufferSize);
    std::string line;
    LineValues values;
    PatternPoints group;  // the points read since the last one stored
    int count = 0;
    while (lines.next(line)) {
        // Points are binned as they are read, so that a file binned to fit the store loads.
        if (count == MAXBUF && group.tth.size() + 1 == static_cast<std::size_t>(bin)) {
            console.print("Too many data points!!! Change the MAXBUF...\n");
            const std::size_t total = static_cast<std::size_t>(count) * bin + bin;
            reportTooManyPoints(console, total + remainingLines(lines), bin);
            return false;
        }
        if (convertValues(line, "%f %f %f", values) != 3) {
            console.print("Error in *.xy file\n");
            return false;
        }
        group.tth.push_back(values[0]);
        group.cts.push_back(values[1]);
        group.sig.push_back(values[2]);
        if (group.tth.size() < static_cast<std::size_t>(bin)) continue;
        if (bin > 1) binPoints(group, bin);
        store.tth[count] = static_cast<float>(group.tth[0]);
        store.cts[count] = static_cast<float>(group.cts[0]);
        store.sig[count] = static_cast<float>(group.sig[0]);
        group = {};
        ++count;
    }
    if (bin > 1) {
        const std::size_t dropped = group.tth.size();
        reportBinning(console, bin, static_cast<std::size_t>(count) * bin + dropped, count,
                      static_cast<int>(dropped));
    }
    store.ilast = count - 1;
    if (!hasEnoughPoints(console, store.ilast)) return false;

    // The documented step is the first spacing rounded to 0.0001 degree. Angles written with
    // fewer decimals than the true step has make that spacing wrong enough to put later
    // points more than a third of a step off its grid; the grid rule's other steps mend that.
    if (setAngleGrid(store, xyStep(store.tth[0], store.tth[1]))) {
        reportPointsRead(console, store.ilast);
    } else {
        console.print("Please, check *.xy file...\n");
    }
    return true;
}
