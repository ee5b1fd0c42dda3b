#include "batch/series_run.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <sstream>
#include <thread>

#include "batch/pattern_input.h"
#include "batch/wor_estimate.h"
#include "console/console.h"
#include "import/radiation_choice.h"
#include "pattern/pattern_checks.h"

namespace {

// How far the threads may run ahead of the patterns handed over, in patterns per thread:
// enough to keep them busy, few enough to bound the outcomes held.
constexpr std::size_t kAheadPerJob = 2;

class SeriesRun {
  public:
    SeriesRun(const std::vector<SeriesInput>& patterns, const Plan& plan,
              const SeriesSettings& settings)
        : patterns_(patterns),
          plan_(plan),
          settings_(settings),
          outcomes_(patterns.size()),
          chains_(plan.size()) {}

    void work() {
        auto store = std::make_unique<PatternStore>();
        std::size_t i = 0;
        while (takeNext(i)) {
            PatternOutcome outcome = fitPattern(i, *store);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                outcomes_[i] = std::move(outcome);
            }
            changed_.notify_all();
        }
    }

    // The threads finish the patterns they have and take no more.
    void stop() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
    }

    void collect(const std::function<void(PatternOutcome&&)>& collect) {
        for (std::size_t i = 0; i < patterns_.size(); ++i) {
            PatternOutcome outcome;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [&] { return outcomes_[i].has_value(); });
                outcome = std::move(*outcomes_[i]);
                outcomes_[i].reset();
                handedOver_ = i + 1;
            }
            changed_.notify_all();
            collect(std::move(outcome));
        }
    }

  private:
    // Where a region's sequence stands: the next pattern to fit it and its last good fit.
    struct Chain {
        std::size_t next = 0;
        std::optional<StartValues> lastGood;
    };

    bool takeNext(std::size_t& i) {
        std::unique_lock<std::mutex> lock(mutex_);
        const std::size_t ahead = kAheadPerJob * static_cast<std::size_t>(settings_.jobs);
        changed_.wait(lock, [&] {
            return stopped_ || next_ >= patterns_.size() || next_ < handedOver_ + ahead;
        });
        if (stopped_ || next_ >= patterns_.size()) return false;
        i = next_++;
        return true;
    }

    // A sequential fit waits until the pattern before has fitted the region.
    std::optional<StartValues> awaitTurn(std::size_t region, std::size_t i) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return chains_[region].next == i; });
        return chains_[region].lastGood;
    }

    // A peak dropped from a good fit is not carried: it keeps the start it was given.
    void handOver(std::size_t region, const RegionFit& fit, const StartValues* given) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            Chain& chain = chains_[region];
            if (fit.status == FitStatus::Ok) chain.lastGood = fittedStart(fit, given);
            ++chain.next;
        }
        changed_.notify_all();
    }

    // The pattern's W/R, when the settings ask it for one, with what is said about it.
    std::optional<double> patternWor(const PatternStore* store, PatternOutcome& outcome) {
        if (!store || !estimatesWor(plan_, settings_)) return std::nullopt;
        const WorEstimate estimate = estimateWor(*store, plan_, settings_);
        char said[160];
        if (estimate.wor)
            std::snprintf(said, sizeof said, "W/R %.3f, estimated from the pattern's regions",
                          *estimate.wor);
        else
            std::snprintf(said, sizeof said,
                          "W/R cannot be estimated: %s; W/R 0 held (flagged wor-assumed)",
                          estimate.why.c_str());
        outcome.worNote = said;
        return estimate.wor;
    }

    RegionFit fitOne(const PatternStore& store, const Region& region, const StartValues* start,
                     int regionNumber, PatternOutcome& outcome, std::optional<double> wor) {
        const WorChoice choice = regionWor(region, settings_, wor);
        const FitRequest request{region,
                                 choice.wor,
                                 start,
                                 settings_.commonFwhm,
                                 settings_.verbose,
                                 settings_.maxIterations,
                                 store.radiation,
                                 choice.assumed,
                                 nullptr,
                                 settings_.keepCurves,
                                 settings_.xrdpickStart};
        if (!settings_.verbose) {
            std::istringstream noInput;
            std::ostringstream discarded;
            Console quiet(noInput, discarded);
            return fitRegion(store, request, quiet);
        }
        // The reports' time stamps share the C library's one ctime buffer: one fit
        // reports at a time.
        std::lock_guard<std::mutex> lock(reportMutex_);
        std::istringstream noInput;
        std::ostringstream said;
        Console reports(noInput, said);
        reports.print("xrdfit: %s region %d\n", outcome.name.c_str(), regionNumber);
        RegionFit fit = fitRegion(store, request, reports);
        outcome.reports += said.str();
        return fit;
    }

    PatternOutcome fitPattern(std::size_t i, PatternStore& store) {
        PatternOutcome outcome;
        const SeriesInput& input = patterns_[i];
        outcome.name = input.name;
        // A pattern that cannot be read, or whose angles lie on no grid (fit windows are
        // placed by its step), gets no fit: every region says why.
        FitStatus unfitted = FitStatus::Unreadable;
        bool readable = true;
        if (input.pattern) {
            input.pattern(store);
            prepareForFit(store, settings_.input.radiation);
        } else {
            readable = readPattern(outcome.name, settings_.input, store, outcome.unfitted);
        }
        if (readable) {
            outcome.radiation = describeRadiation(store.radiation);
            outcome.unfitted = offGridReason(store);
            readable = outcome.unfitted.empty();
            unfitted = FitStatus::IrregularGrid;
        }
        const std::optional<double> wor = patternWor(readable ? &store : nullptr, outcome);
        for (std::size_t r = 0; r < plan_.size(); ++r) {
            const Region& region = plan_[r];
            std::optional<StartValues> carried;
            if (settings_.sequential) carried = awaitTurn(r, i);
            const StartValues* start =
                carried ? &*carried : (region.start ? &*region.start : nullptr);
            RegionFit fit;
            fit.status = unfitted;
            if (readable) fit = fitOne(store, region, start, static_cast<int>(r) + 1, outcome, wor);
            if (settings_.sequential) handOver(r, fit, start);
            outcome.fits.push_back(std::move(fit));
        }
        if (readable && settings_.keepPatterns)
            outcome.pattern = std::make_shared<const PatternStore>(store);
        return outcome;
    }

    const std::vector<SeriesInput>& patterns_;
    const Plan& plan_;
    const SeriesSettings& settings_;

    std::mutex mutex_;  // guards everything below but reportMutex_
    std::condition_variable changed_;
    std::size_t next_ = 0;        // the next pattern a thread takes
    std::size_t handedOver_ = 0;  // patterns handed to the collector
    bool stopped_ = false;        // the collector threw: no pattern is taken any more
    std::vector<std::optional<PatternOutcome>> outcomes_;
    std::vector<Chain> chains_;
    std::mutex reportMutex_;
};

}  // namespace

bool estimatesWor(const Plan& plan, const SeriesSettings& settings) {
    if (settings.wor) return false;
    return settings.autoWor ||
           std::any_of(plan.begin(), plan.end(), [](const Region& r) { return !r.wor; });
}

WorChoice regionWor(const Region& region, const SeriesSettings& settings,
                    std::optional<double> estimated) {
    if (settings.wor) return {*settings.wor, false};
    if (region.wor && !settings.autoWor) return {*region.wor, false};
    if (estimated) return {*estimated, false};
    return {0.0, true};
}

void runSeries(const std::vector<SeriesInput>& patterns, const Plan& plan,
               const SeriesSettings& settings,
               const std::function<void(PatternOutcome&&)>& collect) {
    if (patterns.empty()) return;
    SeriesRun run(patterns, plan, settings);
    const std::size_t threads =
        std::clamp<std::size_t>(static_cast<std::size_t>(settings.jobs), 1, patterns.size());
    std::vector<std::thread> workers;
    for (std::size_t t = 0; t < threads; ++t) workers.emplace_back([&run] { run.work(); });
    try {
        run.collect(collect);
    } catch (...) {
        run.stop();
        for (std::thread& worker : workers) worker.join();
        throw;
    }
    for (std::thread& worker : workers) worker.join();
}

void runSeries(const std::vector<std::string>& patterns, const Plan& plan,
               const SeriesSettings& settings,
               const std::function<void(PatternOutcome&&)>& collect) {
    std::vector<SeriesInput> files;
    for (const std::string& name : patterns) files.push_back({name, nullptr});
    runSeries(files, plan, settings, collect);
}
