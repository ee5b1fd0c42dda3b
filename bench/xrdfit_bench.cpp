// Series fitting against single fits: a drifting series of patterns made from the fit
// model (two regions of three peaks, 700 points each) is written to a temporary
// directory and fitted by xrdfit in-process. Reports
//   - the time of one fit as the interactive fit run makes it (same region, same set-up,
//     the engine's default threading) against xrdfit's time per fit with one job;
//   - xrdfit --jobs 2 against --jobs 1 on a 24-pattern series (goal: at most 0.6);
//   - fits per second on a 1000-pattern series with one job and with two.
// Usage: bench_xrdfit [PATTERNS]   (default 1000 for the last measurement; 0 skips it)
// Wall and CPU times are both shown: on a machine shared with other work the wall clock
// says what share of the cores the run got.

#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "batch/fit_main.h"
#include "batch/pattern_input.h"
#include "drifting_series.h"
#include "fit/click_index.h"
#include "fit/fit_setup.h"
#include "lsq/lsq_fit.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// CPU time of all threads: on a machine shared with other work the wall clock shows the
// share the run got, the CPU time what it needed.
double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

struct RunTime {
    double wall;
    double cpu;
};

// The quickest of several runs: the one least disturbed by other work on the machine.
template <typename Work>
double quickest(int runs, Work work) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        const Clock::time_point start = Clock::now();
        work();
        best = std::min(best, secondsSince(start));
    }
    return best;
}

RunTime seriesTime(const std::vector<std::string>& names, int jobs) {
    std::vector<std::string> args = {"--plan", "plan.txt", "--jobs", std::to_string(jobs)};
    args.insert(args.end(), names.begin(), names.end());
    std::ostringstream out, err;
    const double cpu = processCpuSeconds();
    const Clock::time_point start = Clock::now();
    const int status = fitMain(args, out, err, Terminals{});
    const RunTime time{secondsSince(start), processCpuSeconds() - cpu};
    if (status != 0) std::fprintf(stderr, "xrdfit failed (%d): %s\n", status, err.str().c_str());
    return time;
}

// The quickest of three runs by the wall clock.
RunTime quickestSeries(const std::vector<std::string>& names, int jobs) {
    RunTime best{1e300, 0.0};
    for (int r = 0; r < 3; ++r) {
        const RunTime time = seriesTime(names, jobs);
        if (time.wall < best.wall) best = time;
    }
    return best;
}

constexpr int kSingleFits = 20;

// The first region of the first pattern, set up and fitted as the fit run does it.
double singleFitSeconds(const std::string& name) {
    auto pattern = std::make_unique<PatternStore>();
    std::string why;
    if (!readPattern(name, ImportRequest{}, *pattern, why)) return 0.0;
    FitSelection selection;
    const double at[] = {20.5, 21.61, 22.19, 23.01, 23.995};
    for (const double x : at) selection.sel[++selection.sellast] = clickIndex(*pattern, x);
    std::istringstream noInput;
    std::ostream discard(nullptr);
    Console console(noInput, discard);
    const double cpu = processCpuSeconds();
    const double wall = quickest(kSingleFits, [&] {
        LsqState lsq;
        lsq.fwhmMode = 'f';
        lsq.params[kWor].b = kSeriesWor;
        setUpFit(lsq, *pattern, selection, {false, false});
        lsq.mesg = 1;
        lsq_fit(lsq, console);
    });
    std::printf("one fit as the fit run makes it:     %8.3f ms wall (quickest), %.3f ms CPU\n",
                wall * 1e3, (processCpuSeconds() - cpu) / kSingleFits * 1e3);
    return wall;
}

}  // namespace

int main(int argc, char** argv) {
    const int largeSeries = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("xrdfit_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    {
        std::FILE* plan = std::fopen("plan.txt", "w");
        std::fputs(driftingPlan().c_str(), plan);
        std::fclose(plan);
    }
    const int fitsPerPattern = kSeriesRegions;
    std::vector<std::string> names = writeDriftingSeries(".", 24);

    const double single = singleFitSeconds(names[0]);
    const RunTime one = quickestSeries(names, 1);
    const RunTime two = quickestSeries(names, 2);
    std::printf(
        "xrdfit per fit, --jobs 1 (24 x 2):   %8.3f ms wall, %.3f ms CPU (reading included)\n",
        one.wall / (24 * fitsPerPattern) * 1e3, one.cpu / (24 * fitsPerPattern) * 1e3);
    std::printf(
        "24 patterns: --jobs 1 %.3f s wall (%.3f s CPU), --jobs 2 %.3f s wall (%.3f s CPU);"
        " wall ratio %.2f (goal <= 0.6), CPU ratio %.2f\n",
        one.wall, one.cpu, two.wall, two.cpu, two.wall / one.wall, two.cpu / one.cpu);

    if (largeSeries > 0) {
        names = writeDriftingSeries(".", largeSeries);
        const RunTime large1 = seriesTime(names, 1);
        const RunTime large2 = seriesTime(names, 2);
        const double fits = static_cast<double>(largeSeries) * fitsPerPattern;
        std::printf(
            "%d patterns x %d regions: --jobs 1 %.2f s wall (%.0f fits/s, %.0f fits per CPU "
            "second), --jobs 2 %.2f s wall (%.0f fits/s, %.0f per CPU second); "
            "single-fit rate %.0f fits/s\n",
            largeSeries, fitsPerPattern, large1.wall, fits / large1.wall, fits / large1.cpu,
            large2.wall, fits / large2.wall, fits / large2.cpu, 1.0 / single);
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(dir);
    return 0;
}
