// Fuzzes the reading of a peak position file as a plan (xrdfit --cdt). The first byte picks
// the peak widths the positions are grouped by: the peaks found on a small good pattern, each
// with its own width (byte 0), or those widths times 2^-4 .. 2^+4; the rest is the file. Once, at
// the start, the whole source (file and pattern) is read as xrdfit reads it.

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "batch/cdt_plan.h"
#include "fuzz_support.h"
#include "peaked_pattern.h"
#include "plan_promises.h"
#include "suggest/suggestions.h"

namespace {

constexpr int kWidthScales = 9;  // 2^-4 .. 2^+4
const char* const kCdtName = "peaks.cdt";

std::vector<FoundPeak>& measuredPeaks() {
    static std::vector<FoundPeak> peaks;
    return peaks;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterScratchDirectory();
    writePeakedPattern();
    measuredPeaks() = peaksForRegions(peakedStore());
    require(!measuredPeaks().empty(), "the peaked pattern shows a peak width");
    writeScratchFile(kCdtName, "  20.5000\n  21.0000\n  35.2500\n");
    const PlanRead whole = readCdtSource(kCdtName, {"missing.xy", kPeakedName}, ImportRequest{});
    require(whole.error.empty(), "the whole source reads with the peaked pattern");
    requirePlanRead(whole, kCdtName);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int scale = data[0] % kWidthScales - kWidthScales / 2;
    std::vector<FoundPeak> peaks = measuredPeaks();
    for (FoundPeak& peak : peaks) peak.fwhm = std::ldexp(peak.fwhm, scale);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    requirePlanRead(readCdtPlan(in, kCdtName, peaks), kCdtName);
    return 0;
}
