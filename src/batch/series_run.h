#pragma once
// A series fit: every region of the plan in every pattern, on several threads. Each fit
// depends only on its pattern, its region and, in a sequential run, the fits of the same
// region in the patterns before it, so the outcome is the same for any number of threads.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fit/fit_setup.h"
#include "fit/region.h"
#include "fit/region_fit.h"
#include "import/import_readers.h"
#include "pattern/pattern_store.h"

// Where W/R comes from: `wor` for every region when set; with autoWor the pattern's estimate
// for every region; otherwise a region's own W/R (its plan line, its *.fit block), else the
// pattern's estimate. Where the pattern cannot tell, W/R 0 is held and flagged: a W/R the
// instrument may not have would move every position.
struct SeriesSettings {
    std::optional<double> wor;  // W/R for every region, over the plan's own
    bool autoWor = false;       // W/R estimated once per pattern and held for every region
    bool commonFwhm = false;
    bool xrdpickStart = false;  // widths start as xrdpick's fit starts them
    bool sequential = false;    // each pattern starts from the last good fit of the region
    bool verbose = false;       // the engine's reports in each outcome
    bool keepPatterns = false;  // each outcome keeps its pattern (for pictures)
    bool keepCurves = false;    // each fit keeps its curves and covariance
    int jobs = 1;
    int maxIterations = kFitIterations;
    ImportRequest input;  // --from and --block
};

struct PatternOutcome {
    std::string name;
    std::string unfitted;         // why no region of the pattern was fitted; empty when fitted
    std::string radiation;        // the radiation line, when the pattern was read
    std::string worNote;          // the W/R estimated, or why none could be
    std::vector<RegionFit> fits;  // one per region, in plan order
    std::shared_ptr<const PatternStore> pattern;  // with keepPatterns, when it was read
    std::string reports;                          // with verbose: the engine's reports, fit by fit
};

// The W/R a region is fitted with (negative: refined from its magnitude), and whether it
// was assumed rather than measured.
struct WorChoice {
    double wor;
    bool assumed;
};

// Whether the settings ask the pattern for its W/R for any region of the plan.
bool estimatesWor(const Plan& plan, const SeriesSettings& settings);

// The W/R of `region` by the settings, with the pattern's estimate (none: it could not tell).
WorChoice regionWor(const Region& region, const SeriesSettings& settings,
                    std::optional<double> estimated);

// One pattern of a series: the file `name` is read, unless `pattern` fills a thread's store
// with it (on that thread), made ready as readPattern makes a file's; then `name` only names it.
struct SeriesInput {
    std::string name;
    std::function<void(PatternStore&)> pattern;
};

// Fits the series on settings.jobs threads and hands each pattern's outcome to `collect`
// in the order of `patterns`, on the calling thread, as soon as the patterns before it
// are handed over. An exception from `collect` stops the run: the threads finish the
// patterns they are fitting, take no more, and the exception leaves runSeries.
void runSeries(const std::vector<SeriesInput>& patterns, const Plan& plan,
               const SeriesSettings& settings,
               const std::function<void(PatternOutcome&&)>& collect);

// The same for a series of files.
void runSeries(const std::vector<std::string>& patterns, const Plan& plan,
               const SeriesSettings& settings,
               const std::function<void(PatternOutcome&&)>& collect);
