// Whole fits of regions generated from the model itself, through the reference path and
// the fast path on the same data: time per fit (wall clock and process CPU), their ratio,
// the engine iterations, whether the fitted numbers agree to the bit, and the peak
// resident memory. Regions: a small two-peak one and a dense nine-peak one, each at three
// slit widths W/R, and the nine-peak one as Cu Kα1/Kα2 doublets beside it, with the cost of
// a doublet fit over the singlet fit's.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "bench_regions.h"
#include "console/console.h"
#include "lsq/lsq_fit.h"
#include "lsq/model.h"
#include "lsq/profile_lanes.h"

namespace {

// Observed counts are the model at the known values (weights 1/sqrt(counts)); the fit
// then starts from values a user's clicks would give: positions 0.01 off, intensities
// 20 % low, widths 20 % wide. W/R is held, as a fit run holds it by default.
LsqState generatedRegion(const std::vector<Peak>& peaks, float tthStart, int points, double wor,
                         std::optional<Kalpha2> kalpha2 = std::nullopt) {
    LsqState lsq = modelRegion(peaks, tthStart, points, wor);
    lsq.kalpha2 = kalpha2;
    ParamVector& p = lsq.params;
    for (int i = 0; i < points; ++i) {
        DataPoint& point = lsq.data[i];
        point.y = model_point(lsq, i);
        point.w = 1.0f / std::sqrt(std::max(point.y, 1.0f));
    }
    p[kEta].fit = p[kLowBkgnd].fit = p[kHighBkgnd].fit = 1;
    p[kEta].b = 0.6;
    for (int j = 1; j <= static_cast<int>(peaks.size()); ++j) {
        p[peakPosition(j)].b += 0.01;
        p[peakIntensity(j)].b *= 0.8;
        p[peakFwhm(j)].b *= 1.2;
    }
    return lsq;
}

LsqState ninePeaks(double wor) {
    return generatedRegion(ninePeakModel(), 25.0f, 2000, wor);
}

// The same peaks as Kα1 lines, each with its Cu Kα2 companion at half the intensity.
LsqState nineDoublets(double wor) {
    return generatedRegion(ninePeakModel(), 25.0f, 2000, wor, Kalpha2{1.5444140 / 1.5405929, 0.5});
}

LsqState twoPeaks(double wor) {
    return generatedRegion({{30.6, 400.0, 0.1}, {30.9, 250.0, 0.12}}, 30.0f, 200, wor);
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

struct Timing {
    double wallMs = 0.0;  // the quickest fit: the one least disturbed by other work
    double cpuMs = 0.0;   // CPU time of all threads during that fit
    int fits = 0;
    LsqState result;
};

// Repeats the fit until `budget` seconds have passed (at least `minFits` times).
Timing timeFits(const LsqState& start, bool referencePath, int workers, double budget,
                int minFits) {
    std::istringstream noInput;
    std::ostream discard(nullptr);  // the reports are not what is measured
    Console console(noInput, discard);
    Timing timing;
    const auto begin = std::chrono::steady_clock::now();
    for (;;) {
        LsqState lsq = start;
        lsq.referencePath = referencePath;
        lsq.workers = workers;
        const double cpu0 = processCpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        lsq_fit(lsq, console);
        const auto wall1 = std::chrono::steady_clock::now();
        const double cpuMs = (processCpuSeconds() - cpu0) * 1e3;
        const double wallMs = std::chrono::duration<double, std::milli>(wall1 - wall0).count();
        if (timing.fits == 0 || wallMs < timing.wallMs) {
            timing.wallMs = wallMs;
            timing.cpuMs = cpuMs;
        }
        ++timing.fits;
        timing.result = std::move(lsq);
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        if (timing.fits >= minFits && elapsed >= budget) return timing;
    }
}

bool sameFit(const LsqState& a, const LsqState& b) {
    for (int k = 0; k < kNmax; ++k) {
        if (std::memcmp(&a.params[k].b, &b.params[k].b, sizeof(double)) != 0) return false;
    }
    return a.iter == b.iter && std::memcmp(&a.phi_new, &b.phi_new, sizeof(double)) == 0;
}

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs in a fresh process: builds the largest region and, unless `path` is "none", fits
// it through that path; prints the process's peak resident memory in KB.
int residentMemoryRun(const char* path) {
    LsqState lsq = ninePeaks(0.12);
    if (std::strcmp(path, "none") != 0) {
        std::istringstream noInput;
        std::ostream discard(nullptr);
        Console console(noInput, discard);
        lsq.referencePath = std::strcmp(path, "reference") == 0;
        lsq_fit(lsq, console);
    }
    std::printf("%ld\n", peakRssKb());
    return 0;
}

long freshProcessPeakRssKb(const char* path) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return -1;
    const std::string command = "'" + self.string() + "' --resident-memory " + path;
    FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) return -1;
    long kb = -1;
    if (std::fscanf(child, "%ld", &kb) != 1) kb = -1;
    pclose(child);
    return kb;
}

// The fast path's quickest wall time per fit and per iteration.
struct FastCost {
    double perFit;
    double perIteration;
};

FastCost benchRegion(const char* name, const LsqState& start, double wor) {
    const Timing reference = timeFits(start, true, 0, 2.0, 1);
    const Timing fast = timeFits(start, false, 0, 4.0, 5);
    const Timing oneThread = timeFits(start, false, 1, 1.0, 3);
    std::printf(
        "%-22s %5.2f %5d %10.1f %8.1f %10.2f %8.2f %10.2f %7.1f %7.1f  %s\n", name, wor,
        fast.result.iter, reference.wallMs, reference.cpuMs, fast.wallMs, fast.cpuMs,
        oneThread.wallMs, reference.wallMs / fast.wallMs, reference.wallMs / oneThread.wallMs,
        sameFit(reference.result, fast.result) && sameFit(reference.result, oneThread.result)
            ? "yes"
            : "NO");
    std::fflush(stdout);
    return {fast.wallMs, fast.wallMs / std::max(1, fast.result.iter)};
}

double loadAverage() {
    double load[1] = {0.0};
    return getloadavg(load, 1) == 1 ? load[0] : -1.0;
}

// One fit of one region, for a profiler: `--fit PEAKS WOR PATH WORKERS`.
int singleFit(int peaks, double wor, const char* path, int workers) {
    LsqState lsq = peaks == 2 ? twoPeaks(wor) : ninePeaks(wor);
    lsq.referencePath = std::strcmp(path, "reference") == 0;
    lsq.workers = workers;
    std::istringstream noInput;
    std::ostream discard(nullptr);
    Console console(noInput, discard);
    lsq_fit(lsq, console);
    std::printf("iterations %d, chi-square %.17g\n", lsq.iter, lsq.phi_new);
    return 0;
}

}  // namespace

// `--isa baseline|avx2|avx512` first runs the profile lanes on that instruction set.
void takeIsaOption(int& argc, char**& argv) {
    if (argc < 3 || std::strcmp(argv[1], "--isa") != 0) return;
    const std::string isa = argv[2];
    useLaneIsa(isa == "avx512" ? LaneIsa::Avx512
               : isa == "avx2" ? LaneIsa::Avx2
                               : LaneIsa::Baseline);
    argv[2] = argv[0];
    argc -= 2;
    argv += 2;
}

int main(int argc, char** argv) {
    takeIsaOption(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--resident-memory") == 0) {
        return residentMemoryRun(argv[2]);
    }
    if (argc == 6 && std::strcmp(argv[1], "--fit") == 0) {
        return singleFit(std::atoi(argv[2]), std::atof(argv[3]), argv[4], std::atoi(argv[5]));
    }
    // First, while this process is small: a child's peak RSS starts from its parent's.
    std::printf(
        "peak RSS of a fresh process with the 9-peak W/R 0.12 region: %ld KB unfitted,"
        " %ld KB after a reference fit, %ld KB after a fast fit\n",
        freshProcessPeakRssKb("none"), freshProcessPeakRssKb("reference"),
        freshProcessPeakRssKb("fast"));
    const LaneIsa isa = laneIsaInUse();
    std::printf("cores: %u, profile lanes on %s, load average before: %.2f\n",
                std::thread::hardware_concurrency(),
                isa == LaneIsa::Avx512 ? "AVX-512"
                : isa == LaneIsa::Avx2 ? "AVX2"
                                       : "the baseline",
                loadAverage());
    std::printf(
        "ms per fit, the quickest of repeated fits (cpu: all threads of that fit); fast 1thr:"
        " the fast path on one thread; ratio: ref wall / fast wall; ratio1: ref wall / fast"
        " 1thr\n");
    std::printf("%-22s %5s %5s %10s %8s %10s %8s %10s %7s %7s  %s\n", "region", "W/R", "iter",
                "ref wall", "ref cpu", "fast wall", "fast cpu", "fast 1thr", "ratio", "ratio1",
                "identical");
    for (const double wor : {0.03, 0.06, 0.12}) {
        benchRegion("2 peaks, 200 points", twoPeaks(wor), wor);
    }
    std::vector<std::pair<FastCost, FastCost>> nine;
    for (const double wor : {0.03, 0.06, 0.12}) {
        const FastCost singlets = benchRegion("9 peaks, 2000 points", ninePeaks(wor), wor);
        const FastCost doublets = benchRegion("9 doublets, 2000 pts", nineDoublets(wor), wor);
        nine.emplace_back(singlets, doublets);
    }
    std::printf("doublets over singlets, fast wall (goal: under 2.2):");
    for (const auto& [singlets, doublets] : nine)
        std::printf("  per fit %.2f, per iteration %.2f;", doublets.perFit / singlets.perFit,
                    doublets.perIteration / singlets.perIteration);
    std::printf("\n");
    std::printf("load average after: %.2f\n", loadAverage());
    return 0;
}
