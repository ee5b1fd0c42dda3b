#include "peaked_pattern.h"

#include <cmath>
#include <string>

#include "fuzz_support.h"
#include "open/load.h"
#include "pattern/data_file_name.h"

namespace {

PatternStore& peakedStorage() {
    static PatternStore store;
    return store;
}

// Counts at two-theta: a flat background and two Gaussian peaks of FWHM 0.2 degrees.
double countsAt(double tth) {
    const double sigma = 0.2 / 2.3548;
    const auto peak = [&](double centre, double height) {
        const double z = (tth - centre) / sigma;
        return height * std::exp(-0.5 * z * z);
    };
    return 50.0 + peak(25.0, 2000.0) + peak(32.0, 1200.0);
}

}  // namespace

void writePeakedPattern() {
    std::string text;
    for (int i = 0; i <= 1000; ++i) {
        const double tth = 20.0 + 0.02 * i;
        const double cts = std::round(countsAt(tth));
        text += std::to_string(tth) + " " + std::to_string(cts) + " " +
                std::to_string(std::sqrt(cts)) + "\n";
    }
    writeScratchFile(kPeakedName, text);
    ScriptedConsole quiet("");
    DataFileName name;
    require(loadPattern({kPeakedName}, quiet.console, peakedStorage(), name), "peaked.xy loads");
}

const PatternStore& peakedStore() {
    return peakedStorage();
}
