#include "peaks/fit_acceptance.h"

#include <algorithm>

#include "console/console.h"

void storeAcceptedPeaks(Console& console, PointList& peaks, FitBlock& fitBlock,
                        const FitResult& result) {
    const int room = kPointListCapacity - 1 - peaks.last;
    const int kept = std::min(result.peakCount, room);
    for (int j = 0; j < kept; ++j) {
        const FittedPeak& peak = result.peaks[j];
        ++peaks.last;
        peaks.x[peaks.last] = static_cast<float>(peak.position);
        peaks.y[peaks.last] = result.heightAt(peak);
        fitBlock[j + 1] = peak.fwhm;
    }
    if (kept < result.peakCount) {
        console.print("The peak list is full: %d fitted position(s) not kept.\n",
                      result.peakCount - kept);
    }
}
