// The 9-peak fit of a whole pattern file as the program does it, for a side-by-side timing
// with another program's fit of the same file (bench/compare_fityk.sh):
//   bench_whole_fit write FILE          writes the pattern: 2001 points, nine asymmetric
//                                       peaks at W/R 0.06, counts with fixed-seed noise
//   bench_whole_fit fit FILE REPEATS    loads it with the program's reader, picks the ends
//                                       and the nine peaks as clicks would, and fits them
//                                       REPEATS times as a fit run does (W/R 0.06 held, one
//                                       FWHM per peak, reports on); prints the times
//   bench_whole_fit fityk FILE          prints the fit's start values as fityk commands:
//                                       a linear background and nine pseudo-Voigt peaks
//                                       sharing one shape, weighted by the file's sigmas

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

#include "bench_regions.h"
#include "console/console.h"
#include "fit/fit_data.h"
#include "fit/fit_start_values.h"
#include "lsq/lsq_fit.h"
#include "lsq/model.h"
#include "lsq/param_names.h"
#include "pattern/pattern_store.h"
#include "pattern/readers.h"

namespace {

constexpr int kPoints = 2001;
constexpr float kFirstTth = 25.0f;
constexpr double kSlitRatio = 0.06;  // W/R

double truePosition(int j) {
    return ninePeakModel()[j - 1].position;
}

int writePattern(const char* path) {
    LsqState lsq = modelRegion(ninePeakModel(), kFirstTth, kPoints, kSlitRatio);
    std::FILE* file = std::fopen(path, "w");
    if (file == nullptr) return 1;
    std::mt19937 random(2001);
    std::normal_distribution<double> noise;
    for (int i = 0; i < kPoints; ++i) {
        const double counts = std::max(
            0.0, std::round(model_point(lsq, i) + std::sqrt(model_point(lsq, i)) * noise(random)));
        std::fprintf(file, "%10.3f %10.0f %8.2f\n", lsq.data[i].x, counts,
                     std::sqrt(std::max(counts, 1.0)));
    }
    return std::fclose(file) == 0 ? 0 : 1;
}

struct Loaded {
    std::unique_ptr<PatternStore> pattern = std::make_unique<PatternStore>();
    FitSelection selection;
};

// The ends of the pattern and, for each peak, the highest point within 0.05 degrees of it.
bool load(const char* path, Loaded& loaded) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) return false;
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out);
    const bool read = readXy(file, console, *loaded.pattern);
    std::fclose(file);
    if (!read) return false;
    const PatternStore& pattern = *loaded.pattern;
    FitSelection& selection = loaded.selection;
    selection.sel[0] = 0;
    for (int j = 1; j <= kMaxPeaks; ++j) {
        int best = 0;
        for (int i = 0; i <= pattern.ilast; ++i) {
            if (std::fabs(pattern.tth[i] - truePosition(j)) <= 0.05 &&
                pattern.cts[i] > pattern.cts[best]) {
                best = i;
            }
        }
        selection.sel[j] = best;
    }
    selection.sel[kMaxPeaks + 1] = pattern.ilast;
    selection.sellast = kMaxPeaks + 1;
    return true;
}

// What a fit run does between the user's F key and the evaluation page.
void fitAsTheProgramDoes(const Loaded& loaded, LsqState& lsq, Console& console) {
    const FitSelection& selection = loaded.selection;
    lsq.fwhmMode = 'f';
    lsq.params[kWor].b = kSlitRatio;
    lsq.data = regionData(*loaded.pattern, selection.sel[0], selection.sel[selection.sellast]);
    setStartValues(lsq.params, *loaded.pattern, selection, {false, false});
    copyNameTable(lsq.params);
    lsq.mesg = 1;
    lsq.miter = 30;
    lsq_fit(lsq, console);
}

double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec * 1e-6;
}

// Wall clock, and CPU time of all threads, which a busy machine stretches less.
int timeFits(const char* path, int repeats) {
    std::vector<double> ms;
    std::vector<double> cpuMs;
    LsqState lsq;
    for (int r = 0; r < repeats; ++r) {
        const double cpu0 = processCpuMs();
        const auto begin = std::chrono::steady_clock::now();
        Loaded loaded;
        if (!load(path, loaded)) return 1;
        std::istringstream in;
        std::ostringstream reports;
        Console console(in, reports);
        lsq = LsqState{};
        fitAsTheProgramDoes(loaded, lsq, console);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                .count());
        cpuMs.push_back(processCpuMs() - cpu0);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpuMs.begin(), cpuMs.end());
    std::printf(
        "xrdpick: load and fit, ms: min %.2f, median %.2f of %d; cpu min %.2f; %d iterations,"
        " chisq/nu %.4g\n",
        ms.front(), ms[ms.size() / 2], repeats, cpuMs.front(), lsq.iter, lsq.phi_new / lsq.nu);
    return 0;
}

// fityk's PseudoVoigt takes the height and the half width; ours the integrated intensity.
int printFitykStart(const char* path) {
    Loaded loaded;
    if (!load(path, loaded)) return 1;
    LsqState lsq;
    lsq.fwhmMode = 'f';
    setStartValues(lsq.params, *loaded.pattern, loaded.selection, {false, false});
    const ParamVector& p = lsq.params;
    const PatternStore& pattern = *loaded.pattern;
    const double x0 = pattern.tth[0];
    const double x1 = pattern.tth[pattern.ilast];
    const double slope = (p[kHighBkgnd].b - p[kLowBkgnd].b) / (x1 - x0);
    const double eta = p[kEta].b;
    std::printf("$eta = ~%.6g\n", eta);
    std::printf("F += Linear(a0=~%.8g, a1=~%.8g)\n", p[kLowBkgnd].b - slope * x0, slope);
    for (int j = 1; j <= kMaxPeaks; ++j) {
        const double hwhm = p[peakFwhm(j)].b / 2;
        const double areaPerHeight =
            hwhm * (eta * M_PI + (1 - eta) * std::sqrt(M_PI / std::log(2.0)));
        std::printf("F += PseudoVoigt(height=~%.8g, center=~%.8g, hwhm=~%.8g, shape=$eta)\n",
                    p[peakIntensity(j)].b / areaPerHeight, p[peakPosition(j)].b, hwhm);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "write") == 0) return writePattern(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "fit") == 0) return timeFits(argv[2], std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "fityk") == 0) return printFitykStart(argv[2]);
    std::fprintf(stderr, "usage: %s write FILE | fit FILE REPEATS | fityk FILE\n", argv[0]);
    return 2;
}
