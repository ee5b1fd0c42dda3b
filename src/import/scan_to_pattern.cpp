#include "import/scan_to_pattern.h"

#include <cmath>
#include <optional>
#include <string>

#include "console/console.h"
#include "import/x_axis.h"
#include "pattern/angle_grid.h"
#include "pattern/bin_points.h"
#include "pattern/line_conversion.h"
#include "pattern/pattern_checks.h"

namespace {

// 2theta in degrees: any angle beyond this is not one.
constexpr double kLargestTth = 180.0;

bool allPatternValues(const std::vector<double>& values) {
    for (const double v : values)
        if (!isPatternValue(v)) return false;
    return true;
}

// Counts (a rate times its counting time) and sig: the file's esd, else the square root of
// the counts, 1 for counts of 0 or less.
PatternPoints countsAndSig(const ImportedScan& scan) {
    const double factor = scan.countRate ? scan.countingTime : 1.0;
    PatternPoints points{scan.x, {}, {}};
    for (std::size_t i = 0; i < scan.y.size(); ++i) {
        const double cts = scan.y[i] * factor;
        points.cts.push_back(cts);
        points.sig.push_back(!scan.esd.empty() ? scan.esd[i] * factor
                             : cts > 0.0       ? std::sqrt(cts)
                                               : 1.0);
    }
    return points;
}

bool checkedValues(const ImportedScan& scan, Console& console) {
    if (const std::string other = otherThanTth(scan.xName); !other.empty()) {
        console.print(
            "The x axis of this file is %s, not 2theta: it cannot be read as a pattern.\n",
            other.c_str());
        return false;
    }
    if (scan.countRate && !(scan.countingTime > 0.0 && isPatternValue(scan.countingTime))) {
        console.print("This file gives counts per second without a counting time.\n");
        return false;
    }
    if (!allPatternValues(scan.x) || !allPatternValues(scan.y) || !allPatternValues(scan.esd)) {
        console.print("This file holds a value that is not a number (NaN, infinite or huge).\n");
        return false;
    }
    return true;
}

void binGroups(PatternPoints& points, int bin, Console& console) {
    if (bin <= 1) return;
    const std::size_t before = points.tth.size();
    const int dropped = binPoints(points, bin);
    reportBinning(console, bin, before, points.tth.size(), dropped);
}

// The binned pattern is what the store must hold; the message counts the file's points.
bool fitsTheStore(const PatternPoints& binned, std::size_t read, int bin, Console& console) {
    if (binned.tth.size() <= static_cast<std::size_t>(MAXBUF)) return true;
    reportTooManyPoints(console, read, bin);
    return false;
}

// Strictly increasing or strictly decreasing angles, all of them 2theta in degrees.
bool anglesInOrder(const std::vector<double>& tth, Console& console) {
    const bool increasing = tth[1] > tth[0];
    for (std::size_t i = 1; i < tth.size(); ++i) {
        const double step = tth[i] - tth[i - 1];
        if (step == 0.0) {
            console.print("The step between angles is 0 at point %zu (%g): not a scan.\n", i + 1,
                          tth[i]);
            return false;
        }
        if ((step > 0.0) != increasing) {
            console.print("The angles of this file do not %s at point %zu (%g after %g).\n",
                          increasing ? "increase" : "decrease", i + 1, tth[i], tth[i - 1]);
            return false;
        }
    }
    for (const double angle : tth) {
        if (std::fabs(angle) > kLargestTth) {
            console.print("The x axis reaches %g: not 2theta in degrees.\n", angle);
            return false;
        }
    }
    return true;
}

// The grid of the step the file states, else of the first and the last angle. The fit
// windows and the .wyr, .dat and .gda writers know the angles by that grid only: an
// irregular pattern gets a warning that names where the grid fails.
void setGrid(std::optional<double> statedStep, int bin, const std::vector<double>& tth,
             Console& console, PatternStore& store) {
    // The first and last angle in double precision, before they are stored as floats.
    const double span = (tth.back() - tth.front()) / (tth.size() - 1);
    if (setAngleGrid(store, statedStep ? std::copysign(*statedStep * bin, span) : span)) return;
    const int off = firstOffGrid(store);
    console.print(
        "Please, check the steps: they are not uniform (point %d at %g lies off the grid of "
        "tthstep %.4f from the first spacing).\n",
        off + 1, store.tth[off], store.tthstep);
}

}  // namespace

bool fillPatternFromScan(const ImportedScan& scan, int bin, Console& console, PatternStore& store) {
    if (!checkedValues(scan, console)) return false;
    PatternPoints points = countsAndSig(scan);
    const std::size_t read = points.tth.size();
    binGroups(points, bin, console);
    if (!fitsTheStore(points, read, bin, console)) return false;
    const int ilast = static_cast<int>(points.tth.size()) - 1;
    if (!hasEnoughPoints(console, ilast) || !anglesInOrder(points.tth, console)) return false;
    if (!allPatternValues(points.cts) || !allPatternValues(points.sig)) {
        console.print("This file holds counts too large for the program.\n");
        return false;
    }
    store.ilast = ilast;
    for (int i = 0; i <= ilast; ++i) {
        store.tth[i] = static_cast<float>(points.tth[i]);
        store.cts[i] = static_cast<float>(points.cts[i]);
        store.sig[i] = static_cast<float>(points.sig[i]);
    }
    setGrid(scan.step, bin, points.tth, console, store);
    reportPointsRead(console, ilast);
    return true;
}
