#include "pattern/scan_grid.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "console/console.h"
#include "pattern/dead_time.h"

namespace {

constexpr float kLowestMonitor = 1000.0f;          // below it the monitor did not count
constexpr float kReplacementMonitor = 1000000.0f;  // stands in for an unusable monitor
constexpr float kMillisecondsPerSecond = 1000.0f;
constexpr double kStepRounding = 0.0001;  // degrees
constexpr double kTolerance = 0.3;        // in steps
constexpr int kLastIndex = MAXBUF - 1;
// Sums beyond this are no detector's: refusing them keeps the normalisation finite in float.
constexpr float kSumLimit = 1.0e30f;

// The index as the messages print it, also for an angle that maps nowhere.
long printableIndex(double index) {
    if (std::isnan(index)) return 0;
    return static_cast<long>(
        std::clamp(index, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

void reportOffGrid(Console& console, double index, int fileNumber, float tth, double expected,
                   double tthstep) {
    console.print(
        "---------------------------------- ERROR!!! "
        "------------------------------------------\n");
    console.print("tthstep can not mix. Current data points index = %ldth, file = %dth file.\n",
                  printableIndex(index) + 1, fileNumber);
    console.print("Current tth value of SUPER file = %f, Expected tth value = %f\n", tth, expected);
    console.print("Current tthstep = %f, Current tolerance = %f\n", tthstep, kTolerance);
    console.print("Hit any key to continue, -OR- ^C to halt program now.\n");
    console.print(
        "--------------------------------------------------------------------------------------"
        "\n");
    console.readChar();
}

}  // namespace

ScanGrid::ScanGrid(PatternStore& store, Console& console) : store_(store), console_(console) {
    store_.cts.fill(0.0f);
    store_.sig.fill(0.0f);
    store_.tthmin = 0.0;
    store_.tthstep = 0.0;
    store_.tthmax = 0.0;
}

Placement ScanGrid::add(const ScanRecord& record, const std::string& line, int fileNumber) {
    float counts = record.cts;
    float monitor = record.mon;
    if (monitor < kLowestMonitor) {
        monitor = kReplacementMonitor;
        counts = 0.0f;
    }
    const float factor =
        deadTimeFactor(counts, record.tim / kMillisecondsPerSecond, line, console_);

    int index = 0;
    if (accepted_ == 0) {
        store_.tthmin = record.tth;
    } else if (accepted_ == 1) {
        // The step comes from the first two records alone, rounded to 0.0001 degree.
        store_.tthstep = std::trunc((record.tth - store_.tthmin) * 10000.0 + 0.5) * kStepRounding;
        index = 1;
    } else {
        const Placement placement = placeOnGrid(record.tth, fileNumber, index);
        if (placement != Placement::Summed) return placement;
    }
    return accumulate(index, counts / factor, monitor);
}

Placement ScanGrid::placeOnGrid(float tth, int fileNumber, int& index) {
    const double nearest = std::trunc((tth - store_.tthmin) / store_.tthstep + 0.5);
    const double expected = nearest * store_.tthstep + store_.tthmin;
    // Written so that a step of zero or below, or an angle below the grid, is refused too
    // (the comparison fails for NaN).
    if (!(nearest >= 0.0 && std::fabs(tth - expected) < kTolerance * store_.tthstep)) {
        reportOffGrid(console_, nearest, fileNumber, tth, expected, store_.tthstep);
        return Placement::Rejected;
    }
    if (nearest > kLastIndex) {
        console_.print("Too long.  i = %ld.  Aborting file.\n", printableIndex(nearest));
        return Placement::BeyondCapacity;
    }
    index = static_cast<int>(nearest);
    return Placement::Summed;
}

Placement ScanGrid::accumulate(int index, float counts, float monitor) {
    const float countSum = store_.cts[index] + counts;
    const float monitorSum = store_.sig[index] + monitor;
    if (!(std::fabs(countSum) <= kSumLimit && monitorSum <= kSumLimit)) {
        refuseRecord(console_, "Error in current SUPER file...");
        return Placement::Rejected;
    }
    store_.cts[index] = countSum;
    store_.sig[index] = monitorSum;
    ++accepted_;
    highest_ = std::max(highest_, index);
    return Placement::Summed;
}
