#include "import/scan_to_pattern.h"

#include <cmath>
#include <string>

#include "console/console.h"
#include "import/bin_points.h"
#include "import/x_axis.h"
#include "pattern/line_conversion.h"
#include "pattern/pattern_checks.h"
#include "pattern/xy_step.h"

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
    console.print("Binned by %d: %zu points from %zu.\n", bin, points.tth.size(), before);
    if (dropped > 0)
        console.print("The last %d point(s), too few for a group of %d, are dropped.\n", dropped,
                      bin);
}

bool fitsTheStore(const PatternPoints& points, Console& console) {
    const std::size_t count = points.tth.size();
    if (count <= static_cast<std::size_t>(MAXBUF)) return true;
    const std::size_t bin = (count + MAXBUF - 1) / MAXBUF;
    console.print(
        "This pattern holds %zu points, more than the %d the program holds: sum neighbours "
        "with xrdconvert --bin %zu.\n",
        count, MAXBUF, bin);
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

// A uniform grid keeps the file's own step; uneven steps take the .xy reader's rule and a
// warning, since every writer puts the angles on the grid of tthmin and tthstep.
void setGrid(const std::vector<double>& tth, Console& console, PatternStore& store) {
    store.tthmin = tth.front();
    store.tthmax = tth.back();
    const double mean = (store.tthmax - store.tthmin) / store.ilast;
    bool uniform = true;
    for (std::size_t i = 0; i < tth.size() && uniform; ++i)
        uniform = std::fabs(tth[i] - (store.tthmin + i * mean)) <= 0.001;
    if (uniform) {
        store.tthstep = mean;
        return;
    }
    store.tthstep = xyStep(store.tth[0], store.tth[1]);
    console.print(
        "Please, check the steps: they are not uniform (tthstep %.4f from the first "
        "spacing).\n",
        store.tthstep);
}

}  // namespace

bool fillPatternFromScan(const ImportedScan& scan, int bin, Console& console, PatternStore& store) {
    if (!checkedValues(scan, console)) return false;
    PatternPoints points = countsAndSig(scan);
    binGroups(points, bin, console);
    if (!fitsTheStore(points, console)) return false;
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
    setGrid(points.tth, console, store);
    reportPointsRead(console, ilast);
    return true;
}
