// The engine on a narrow-peak lab pattern (narrow_pattern.h), for side-by-side timings
// with another program's fit of the same regions (bench/compare_fityk_narrow.sh):
//   bench_narrow_peaks write DIR COUNT   writes COUNT noise draws of the pattern at W/R 0.06
//                                        with single lines (DIR/single_NNN.xy) and with Cu
//                                        Kα1/Kα2 doublets (DIR/pairs_NNN.xy), and the
//                                        regions as DIR/plan.txt
//   bench_narrow_peaks fityk FILE PLAN [pairs]
//                                        prints fityk commands that fit each region of
//                                        PLAN in FILE (already loaded as @0) from our start
//                                        values: a linear background and pseudo-Voigt peaks
//                                        sharing one shape, with `pairs` each a doublet whose
//                                        Kα2 line is tied to the Kα1 line's position
//   bench_narrow_peaks profile FILE PLAN WOR [cu] [REPEATS]
//                                        where the time of each region's fit goes: the
//                                        fit as xrdfit runs it (one thread), its
//                                        iterations, and one chi-square and one derivatives
//                                        pass at the start values (CPU times, the quickest
//                                        of REPEATS, default 20)

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "batch/pattern_input.h"
#include "batch/plan_file.h"
#include "fit/click_index.h"
#include "fit/fit_setup.h"
#include "fit/half_max_width.h"
#include "fit/radiation_lines.h"
#include "fit/region_fit.h"
#include "import/radiation_choice.h"
#include "lsq/model.h"
#include "lsq/normal_equations.h"
#include "lsq/pass_tables.h"
#include "narrow_pattern.h"

namespace {

// The patterns' own W/R: the default a fit holds, so that the fits time the engine on a
// pattern it describes.
constexpr double kPatternWor = 0.06;

int writeSeries(const std::string& dir, int count) {
    std::filesystem::create_directories(dir);
    const double step = narrowPatternModel().step;
    for (const bool doublets : {false, true}) {
        const std::vector<std::pair<double, float>> expected =
            narrowPatternPoints(doublets, kPatternWor);
        for (int k = 0; k < count; ++k) {
            std::mt19937 random(1000 + k);
            const PatternStore store = drawPattern(expected, step, random);
            char name[64];
            std::snprintf(name, sizeof name, "/%s_%03d.xy", doublets ? "pairs" : "single", k);
            std::FILE* file = std::fopen((dir + name).c_str(), "w");
            if (file == nullptr) return 1;
            for (int i = 0; i <= store.ilast; ++i)
                std::fprintf(file, "%8.4f %10.1f %8.3f\n", store.tth[i], store.cts[i],
                             store.sig[i]);
            if (std::fclose(file) != 0) return 1;
        }
    }
    std::ofstream plan(dir + "/plan.txt");
    for (const Region& region : narrowPlan()) {
        plan << std::fixed;
        plan.precision(4);
        plan << region.low << ' ' << region.high;
        for (const double position : region.positions) plan << ' ' << position;
        plan << '\n';
    }
    return plan.good() ? 0 : 1;
}

struct Input {
    std::unique_ptr<PatternStore> pattern = std::make_unique<PatternStore>();
    Plan plan;
};

bool load(const char* file, const char* planFile, bool cu, Input& input) {
    ImportRequest request;
    if (cu) request.radiation.given = anodeRadiation("Cu");
    std::string why;
    if (!readPattern(file, request, *input.pattern, why)) {
        std::fprintf(stderr, "%s: %s\n", file, why.c_str());
        return false;
    }
    std::ifstream in(planFile);
    PlanRead read = readPlan(in, planFile);
    if (!read.error.empty()) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return false;
    }
    input.plan = std::move(read.plan);
    return true;
}

FitSelection selectionOf(const PatternStore& pattern, const Region& region) {
    FitSelection selection;
    selection.sel[0] = clickIndex(pattern, static_cast<float>(region.low));
    selection.sellast = 0;
    for (const double position : region.positions)
        selection.sel[++selection.sellast] = clickIndex(pattern, static_cast<float>(position));
    selection.sel[++selection.sellast] = clickIndex(pattern, static_cast<float>(region.high));
    return selection;
}

// The engine's input as a series fit builds it, on one thread.
LsqState startOf(const PatternStore& pattern, const Region& region, double wor) {
    LsqState lsq;
    lsq.fwhmMode = 'f';
    lsq.workers = 1;
    lsq.mesg = 0;
    lsq.params[kWor].b = static_cast<float>(wor);
    const FitSelection selection = selectionOf(pattern, region);
    setUpFit(lsq, pattern, selection, {false, false});
    lsq.kalpha2 = companionOf(pattern.radiation);
    startAtHalfMaximum(lsq.params, pattern, selection, false, lsq.kalpha2);
    if (lsq.kalpha2)
        for (int j = 1; j <= static_cast<int>(region.positions.size()); ++j)
            lsq.params[peakIntensity(j)].b /= 1.0 + lsq.kalpha2->intensityRatio;
    return lsq;
}

// fityk's PseudoVoigt takes the height and the half width; ours the integrated intensity.
int printFityk(const char* file, const char* planFile, bool pairs) {
    Input input;
    if (!load(file, planFile, pairs, input)) return 1;
    const PatternStore& pattern = *input.pattern;
    const double ratio = 1.544426 / 1.540598;
    for (const Region& region : input.plan) {
        const LsqState lsq = startOf(pattern, region, 0.0);
        const ParamVector& p = lsq.params;
        const double x0 = lsq.data.front().x, x1 = lsq.data.back().x;
        const double slope = (p[kHighBkgnd].b - p[kLowBkgnd].b) / (x1 - x0);
        const double eta = p[kEta].b;
        std::printf("delete %%*\n");
        std::printf("@0: A = (x > %.5f and x < %.5f)\n", x0 - 1e-4, x1 + 1e-4);
        std::printf("$eta = ~%.6g\n", eta);
        std::printf("F += Linear(a0=~%.8g, a1=~%.8g)\n", p[kLowBkgnd].b - slope * x0, slope);
        for (int j = 1; j <= static_cast<int>(region.positions.size()); ++j) {
            const double hwhm = p[peakFwhm(j)].b / 2;
            const double height =
                p[peakIntensity(j)].b /
                (hwhm * (eta * M_PI + (1 - eta) * std::sqrt(M_PI / std::log(2.0))));
            if (!pairs) {
                std::printf(
                    "F += PseudoVoigt(height=~%.8g, center=~%.8g, hwhm=~%.8g, shape=$eta)\n",
                    height, p[peakPosition(j)].b, hwhm);
                continue;
            }
            std::printf("$h%d = ~%.8g\n$c%d = ~%.8g\n$w%d = ~%.8g\n", j, height, j,
                        p[peakPosition(j)].b, j, hwhm);
            std::printf("F += PseudoVoigt(height=$h%d, center=$c%d, hwhm=$w%d, shape=$eta)\n", j, j,
                        j);
            std::printf(
                "F += PseudoVoigt(height=0.5*$h%d, center=2*asin(%.9f*sin($c%d*pi/360))*180/pi, "
                "hwhm=$w%d, shape=$eta)\n",
                j, ratio, j, j);
        }
        std::printf(
            "lua local t = os.clock(); F:execute('fit'); fitCpu = fitCpu + os.clock() - t\n");
    }
    return 0;
}

double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec * 1e-6;
}

template <class Work>
double quickestMs(int repeats, Work&& work) {
    double best = 1e300;
    for (int r = 0; r < repeats; ++r) {
        const double start = cpuMs();
        work(r);
        best = std::min(best, cpuMs() - start);
    }
    return best;
}

// One pass with every profile row computed afresh: the peaks' positions move by a hair from
// one repeat to the next, so that no row of the repeat before serves.
template <class Pass>
double coldPassMs(const LsqState& start, int repeats, Pass&& pass) {
    return quickestMs(repeats, [&](int r) {
        LsqState lsq = start;
        for (int j = 1; j <= presentPeaks(lsq.params); ++j)
            lsq.params[peakPosition(j)].b += (r % 2 == 0 ? 1e-5 : -1e-5);
        pass(lsq);
    });
}

int profile(const char* file, const char* planFile, double wor, bool cu, int repeats) {
    Input input;
    if (!load(file, planFile, cu, input)) return 1;
    const PatternStore& pattern = *input.pattern;
    std::istringstream noInput;
    std::ostringstream discarded;
    Console quiet(noInput, discarded);
    std::printf("%-7s %6s %5s %6s %6s %5s %9s %9s %9s %9s %8s\n", "region", "points", "lines",
                "A/h", "terms", "iters", "fit ms", "chisq ms", "deriv ms", "est. ms", "ns/term");
    double fitSum = 0.0, estimateSum = 0.0, setUpSum = 0.0;
    int iterationSum = 0;
    for (std::size_t r = 0; r < input.plan.size(); ++r) {
        const Region& region = input.plan[r];
        const FitRequest request{region,           wor, nullptr, false, false, kFitIterations,
                                 pattern.radiation};
        RegionFit fit;
        const double fitMs =
            quickestMs(repeats, [&](int) { fit = fitRegion(pattern, request, quiet); });
        LsqState start;
        setUpSum += quickestMs(repeats, [&](int) { start = startOf(pattern, region, wor); });
        const double chisqMs = coldPassMs(start, repeats, [](LsqState& lsq) { chisq(lsq); });
        const double derivMs =
            coldPassMs(start, repeats, [&](LsqState& lsq) { lsq_derivatives(lsq, quiet); });
        PassTables pass;
        buildPeakTables(pass, start);
        double terms = 0.0, tailOverWidth = 0.0;
        for (const ProfileTable& table : pass.tables) {
            terms += table.kind == ProfileKind::Asymmetric ? table.n + 1 : 1;
            tailOverWidth = std::max(tailOverWidth, double(table.A / table.h));
        }
        terms *= start.ndata();
        // Each iteration: derivatives, whose own rows the accepted step's chi-square left,
        // then the trial step's chi-square.
        const double estimate = fit.iterations * (derivMs + chisqMs);
        std::printf("%-7zu %6d %5zu %6.1f %6.0f %5d %9.3f %9.3f %9.3f %9.3f %8.2f\n", r + 1,
                    start.ndata(), pass.tables.size(), tailOverWidth, terms / start.ndata(),
                    fit.iterations, fitMs, chisqMs, derivMs, estimate, chisqMs * 1e6 / terms);
        fitSum += fitMs;
        estimateSum += estimate;
        iterationSum += fit.iterations;
    }
    std::printf(
        "all regions: fit %.2f ms CPU, %d iterations (%.1f a region), set-up %.3f ms, "
        "passes estimated %.2f ms\n",
        fitSum, iterationSum, double(iterationSum) / input.plan.size(), setUpSum, estimateSum);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "write") == 0)
        return writeSeries(argv[2], std::atoi(argv[3]));
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "fityk") == 0)
        return printFityk(argv[2], argv[3], argc == 5 && std::strcmp(argv[4], "pairs") == 0);
    if (argc >= 5 && std::strcmp(argv[1], "profile") == 0) {
        const bool cu = argc >= 6 && std::strcmp(argv[5], "cu") == 0;
        const int repeats = argc >= 6 + cu ? std::max(1, std::atoi(argv[5 + cu])) : 20;
        return profile(argv[2], argv[3], std::atof(argv[4]), cu, repeats);
    }
    std::fprintf(stderr,
                 "usage: %s write DIR COUNT | fityk FILE PLAN [pairs] | profile FILE PLAN WOR "
                 "[cu] [REPEATS]\n",
                 argv[0]);
    return 2;
}
