// Load times of one 19001-point pattern (the store's capacity) from a PANalytical XRDML
// file, a Bruker RAW file and a two-column text pattern, against the same pattern as a
// .xy file of the processed format: the median of repeated loads through the load step's
// real path, and each one's ratio to the .xy time.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.h"
#include "open/load.h"
#include "pattern/writers.h"

namespace {

constexpr int kPoints = 19001;
constexpr int kRepeats = 31;

struct Loaded {
    bool ok = false;
    double milliseconds = 0.0;
};

Loaded timedLoad(const std::string& name, PatternStore& store) {
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out);
    DataFileName file;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = loadPatternFile(name, {}, console, store, file);
    const auto end = std::chrono::steady_clock::now();
    if (!ok) std::fprintf(stderr, "%s", out.str().c_str());
    return {ok, std::chrono::duration<double, std::milli>(end - start).count()};
}

double medianLoad(const std::string& name, PatternStore& store) {
    std::vector<double> times;
    for (int k = 0; k < kRepeats; ++k) {
        const Loaded loaded = timedLoad(name, store);
        if (!loaded.ok) return -1.0;
        times.push_back(loaded.milliseconds);
    }
    std::nth_element(times.begin(), times.begin() + kRepeats / 2, times.end());
    return times[kRepeats / 2];
}

}  // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("xrdpick-import-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    const std::string generate =
        "python3 '" XRDPICK_IMPORT_SAMPLES "' . " + std::to_string(kPoints) + " 0.005";
    if (std::system(generate.c_str()) != 0) return 1;

    // The same pattern as a processed .xy file, written by the program's own writer.
    auto store = std::make_unique<PatternStore>();
    std::ostringstream quiet;
    std::istringstream none;
    Console console(none, quiet);
    if (!timedLoad("quartz.raw", *store).ok ||
        writePatternFile(console, *store, 'x', "same.xy", "") != 0)
        return 1;

    const double xy = medianLoad("same.xy", *store);
    std::printf("%d points, median of %d loads\n", kPoints, kRepeats);
    std::printf("%-14s %8.3f ms\n", ".xy (XRS82)", xy);
    for (const char* name : {"quartz.xrdml", "quartz.raw", "two.xy"}) {
        const double ms = medianLoad(name, *store);
        std::printf("%-14s %8.3f ms  %5.2f x the .xy time\n", name, ms, ms / xy);
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(dir);
    return 0;
}
