#include "batch/fit_main.h"

#include <cstdio>
#include <optional>
#include <ostream>
#include <sstream>

#include "batch/fit_block_comment.h"
#include "batch/fit_options.h"
#include "batch/fit_outputs.h"
#include "batch/fit_plot.h"
#include "batch/picture_device.h"
#include "batch/plan_source.h"
#include "batch/plot_names.h"
#include "batch/progress_line.h"
#include "batch/results_table.h"
#include "batch/series_messages.h"
#include "batch/series_run.h"
#include "console/console.h"
#include "fit/fit_file.h"
#include "pattern/safe_file.h"

namespace {

constexpr int kAllFitted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

int usageError(std::ostream& err, const std::string& error) {
    err << "xrdfit: " << error << "\nTry 'xrdfit --help'.\n";
    return kUsageError;
}

SeriesSettings settingsOf(const FitOptions& options) {
    SeriesSettings settings;
    settings.wor = options.wor;
    settings.autoWor = options.autoWor;
    settings.commonFwhm = options.commonFwhm;
    settings.xrdpickStart = options.xrdpickStart;
    settings.sequential = options.sequential;
    settings.verbose = options.verbose;
    settings.keepPatterns = !options.plotsDir.empty();
    settings.jobs = options.jobs > 0 ? options.jobs : availableCores();
    settings.maxIterations = options.maxIterations;
    settings.input = options.input;
    return settings;
}

// Every file of the run but its pictures, which must not replace any of them.
std::vector<std::string> runFiles(const FitOptions& options) {
    std::vector<std::string> files = options.patterns;
    for (const std::string* file : {&options.planFile, &options.fromFitFile, &options.cdtFile,
                                    &options.tableFile, &options.fitFile})
        if (!file->empty()) files.push_back(*file);
    return files;
}

// The fit's result with only its ok peaks.
FitResult keptPeaks(const RegionFit& fit) {
    FitResult kept = fit.result;
    kept.peakCount = 0;
    for (int j = 0; j < fit.result.peakCount; ++j)
        if (fit.statusOf(j) == FitStatus::Ok) kept.peaks[kept.peakCount++] = fit.result.peaks[j];
    return kept;
}

// Takes each pattern's outcome in order: its rows, its blocks, its pictures, its messages.
class Collector {
  public:
    Collector(const FitOptions& options, const Plan& plan, std::ostream& table, std::ostream& err,
              Terminals terminals)
        : options_(options),
          plan_(plan),
          table_(table),
          err_(err),
          messages_(noInput_, err),
          pictures_(messages_),
          progress_(err, options.patterns.size(), terminals.err),
          tableOnTerminal_(terminals.err && terminals.out && options.tableFile.empty()),
          plotNames_(options.plotsDir, options.patterns, static_cast<int>(plan.size()),
                     runFiles(options)) {}

    void take(PatternOutcome&& outcome) {
        for (const std::string& message : outcomeMessages(outcome, said_)) say(message);
        if (!outcome.reports.empty()) {
            progress_.finish();
            err_ << outcome.reports << std::flush;
        }
        // Rows on the terminal that shows the progress line replace it rather than run on.
        if (tableOnTerminal_) progress_.clear();
        for (std::size_t r = 0; r < outcome.fits.size(); ++r) {
            const RegionFit& fit = outcome.fits[r];
            const int regionNumber = static_cast<int>(r) + 1;
            if (!fit.note.empty()) say(regionMessage(outcome, regionNumber, fit));
            table_ << tableRows(outcome.name, regionNumber, plan_[r], fit);
            ++fits_;
            // A failed fit is pictured too: that is where to see what went wrong.
            if (outcome.pattern && fit.engineRan) draw(outcome, regionNumber, fit);
            if (!fit.allOk(static_cast<int>(plan_[r].positions.size()))) ++failed_;
            // A good fit's block holds the peaks it kept: a dropped one is no result.
            if (fit.status == FitStatus::Ok && !options_.fitFile.empty())
                appendBlock(outcome.name, regionNumber, fit);
        }
        progress_.update(++done_, failed_);
    }

    // After the run, with why the table did not reach its file (nothing when it did, or had
    // no file to reach).
    int finish(const std::optional<std::string>& tableFailure) {
        progress_.finish();
        table_.flush();
        if (!table_) say("the table could not be written completely to standard output");
        if (tableFailure) say(*tableFailure);
        if (blocksLost_ > 0)
            say(options_.fitFile + ": " + std::to_string(blocksWritten_) + " of " +
                std::to_string(blocksWritten_ + blocksLost_) + " blocks written");
        writeFailed_ = writeFailed_ || !table_ || tableFailure;
        if (failed_ > 0) {
            say(failedCount(failed_, fits_));
        }
        return failed_ > 0 || writeFailed_ ? kSomeFailed : kAllFitted;
    }

  private:
    void say(const std::string& message) {
        progress_.finish();
        err_ << "xrdfit: " << message << std::endl;
    }

    // The block of an ok fit, opened by the comment that names its pattern and region.
    void appendBlock(const std::string& pattern, int regionNumber, const RegionFit& fit) {
        const std::string comment = blockComment(pattern, regionNumber, fit);
        if (const auto failure = appendFitBlockTo(options_.fitFile, keptPeaks(fit), comment)) {
            say(*failure + "; the block of " + pattern + ", region " +
                std::to_string(regionNumber) + " is not in it");
            ++blocksLost_;
            writeFailed_ = true;
        } else {
            ++blocksWritten_;
        }
    }

    void draw(const PatternOutcome& outcome, int regionNumber, const RegionFit& fit) {
        const std::string path = plotNames_.path(done_, regionNumber);
        const std::string title = outcome.name + ", region " + std::to_string(regionNumber) + ": " +
                                  statusName(fit.status);
        Graphics* graphics = pictures_.graphics();
        if (!graphics && !pictureFailureSaid_) {
            say(pictures_.failure());
            pictureFailureSaid_ = true;
        }
        if (!graphics || !plotFit(*graphics, path, title, *outcome.pattern, fit)) {
            say(path + ": the picture cannot be written");
            writeFailed_ = true;
        }
    }

    const FitOptions& options_;
    const Plan& plan_;
    std::ostream& table_;
    std::ostream& err_;
    std::istringstream noInput_;
    Console messages_;
    PictureDevice pictures_;
    ProgressLine progress_;
    const bool tableOnTerminal_;
    const PlotNames plotNames_;
    SaidSoFar said_;        // the notes said only when they change
    std::size_t done_ = 0;  // patterns taken: the index of the one being taken
    int fits_ = 0;
    int failed_ = 0;
    int blocksWritten_ = 0;  // to the *.fit file
    int blocksLost_ = 0;     // that it could not take
    bool writeFailed_ = false;
    bool pictureFailureSaid_ = false;  // why no picture can be drawn, said once
};

}  // namespace

int fitMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            Terminals terminals) {
    const ParsedFitCommand parsed = parseFitArgs(args);
    switch (parsed.outcome) {
        case CommandLineWalk::Help:
            out << fitUsage();
            return kAllFitted;
        case CommandLineWalk::Version:
            out << "xrdfit " << XRDPICK_VERSION << '\n';
            return kAllFitted;
        case CommandLineWalk::UsageError:
            return usageError(err, parsed.error);
        case CommandLineWalk::Run:
            break;
    }
    FitOptions options = parsed.options;
    const PlanRead regions = readRegions(options);
    if (!regions.error.empty()) return usageError(err, regions.error);
    // Blocks of Kalpha1 lines are fitted as doublets again: with the patterns' own radiation,
    // else the options', else the one the blocks name.
    if (!options.fromFitFile.empty() && !options.input.radiation.given) {
        const BlocksRadiation named = readBlocksRadiation(options.fromFitFile);
        if (named.radiation) {
            options.input.radiation.given = named.radiation;
        } else if (named.kalpha1Lines) {
            return usageError(err, options.fromFitFile +
                                       ": the blocks are Kalpha1 lines of a radiation they do not "
                                       "name; give it with --anode or --wavelength");
        }
    }

    FitOutputs outputs;
    if (const std::optional<std::string> refusal = outputs.open(options, out))
        return usageError(err, *refusal);

    outputs.table() << tableHeader();
    Collector collector(options, regions.plan, outputs.table(), err, terminals);
    runSeries(options.patterns, regions.plan, settingsOf(options),
              [&collector](PatternOutcome&& outcome) { collector.take(std::move(outcome)); });
    return collector.finish(outputs.saveTable());
}
