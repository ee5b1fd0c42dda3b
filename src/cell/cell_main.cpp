#include "cell/cell_main.h"

#include <cstdio>
#include <optional>
#include <ostream>
#include <sstream>

#include "cell/cell_options.h"
#include "cell/cell_plot.h"
#include "cell/cell_report.h"
#include "cell/cell_table.h"
#include "cell/line_sources.h"
#include "console/console.h"
#include "view/pgplot_graphics.h"

namespace {

constexpr int kIndexed = 0;
constexpr int kNotIndexed = 1;
constexpr int kUsageError = 2;

int usageError(std::ostream& err, const std::string& error) {
    err << "xrdcell: " << error << "\nTry 'xrdcell --help'.\n";
    return kUsageError;
}

std::vector<double> firstLines(const LineSet& set, int count) {
    std::vector<double> tth;
    for (const ObservedLine& line : set.lines) {
        if (static_cast<int>(tth.size()) == count) break;
        tth.push_back(line.tth);
    }
    return tth;
}

// The report and the picture of a refinement, as asked; false after a message when one of
// them was not written.
bool writeOutputs(const CellOptions& options, const LineSet& set, const CellRefinement& refined,
                  const Figures& figures, std::ostream& err) {
    bool written = true;
    if (!options.report.empty()) {
        const std::string text = cellReportText(options.source, set, refined, figures);
        if (const std::optional<std::string> failure = writeCellReport(options.report, text)) {
            err << *failure << '\n';
            written = false;
        }
    }
    if (!options.plot.empty()) {
        std::istringstream nothing;
        std::ostringstream said;
        Console console(nothing, said);
        PgplotGraphics graphics(console);
        const std::string title = std::string(systemName(refined.cell.system)) + ' ' +
                                  centringName(refined.cell.centring) + " cell of " +
                                  options.source;
        if (!plotCell(graphics, options.plot, title, set, refined)) {
            err << options.plot << ": the picture could not be written\n";
            written = false;
        }
    }
    return written;
}

CellRefinement refined(const CellOptions& options, const LineSet& set, const Cell& cell,
                       double zero) {
    RefineSettings settings = options.refine;
    if (settings.zero) settings.zeroStart = zero;
    return refineCell(set, cell, settings);
}

int refineGiven(const CellOptions& options, const LineSet& set, std::ostream& out,
                std::ostream& err) {
    const CellRefinement r = refined(options, set, *options.cell, 0.0);
    if (!r.problem.empty()) {
        err << options.source << ": the cell cannot be refined: " << r.problem << '\n';
        return kNotIndexed;
    }
    const Figures figures = figuresOfMerit(firstLines(set, options.index.lines), *set.lambda,
                                           r.cell, r.zero, options.index.tolerance);
    out << refinedHeader(r) << refinedRow(r, figures);
    const bool written = writeOutputs(options, set, r, figures, err);
    const bool all = static_cast<int>(r.unindexed.size()) <= options.index.impurities;
    if (!all)
        err << options.source << ": " << r.unindexed.size()
            << " lines lie off every line of the cell\n";
    return all && written ? kIndexed : kNotIndexed;
}

int index(const CellOptions& options, const LineSet& set, std::ostream& out, std::ostream& err) {
    const IndexOutcome outcome =
        indexLines(firstLines(set, options.index.lines), *set.lambda, options.index);
    if (outcome.stoppedEarly)
        err << options.source << ": the search stopped at its time limit of "
            << options.index.seconds << " s in the " << systemName(outcome.stoppedIn)
            << " system: solutions there and in the systems below may be missing\n";
    out << solutionsHeader();
    const int rows = std::min<int>(options.solutions, outcome.solutions.size());
    for (int i = 0; i < rows; ++i) out << solutionRow(i + 1, outcome.solutions[i]);
    out.flush();
    if (outcome.solutions.empty()) {
        err << options.source << ": no cell indexes the lines\n";
        return kNotIndexed;
    }
    const Solution& best = outcome.solutions.front();
    const bool all = indexesAll(best, options.index.impurities);
    if (!all)
        err << options.source << ": no cell indexes all of the first " << best.figures.used
            << " lines but " << options.index.impurities << '\n';
    if (options.report.empty() && options.plot.empty()) return all ? kIndexed : kNotIndexed;
    const CellRefinement r = refined(options, set, best.cell, best.zero);
    if (!r.problem.empty()) {
        err << options.source << ": the best cell cannot be refined: " << r.problem << '\n';
        return kNotIndexed;
    }
    const Figures figures = figuresOfMerit(firstLines(set, options.index.lines), *set.lambda,
                                           r.cell, r.zero, options.index.tolerance);
    const bool written = writeOutputs(options, set, r, figures, err);
    return all && written ? kIndexed : kNotIndexed;
}

}  // namespace

int cellMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedCellLine parsed = parseCellArgs(args);
    switch (parsed.outcome) {
        case CommandLineWalk::Help:
            out << cellUsage();
            return kIndexed;
        case CommandLineWalk::Version:
            out << "xrdcell " << XRDPICK_VERSION << '\n';
            return kIndexed;
        case CommandLineWalk::UsageError:
            return usageError(err, parsed.error);
        case CommandLineWalk::Run:
            break;
    }
    const CellOptions& options = parsed.options;
    const LineRead read = readLineSource(options.source, options.input);
    if (!read.note.empty()) err << read.note << '\n';
    if (!read.error.empty()) {
        err << read.error << '\n';
        return kNotIndexed;
    }
    err << options.source << ": " << read.set.radiation << '\n';
    err << options.source << ": " << read.set.lines.size() << " lines\n";
    return options.cell ? refineGiven(options, read.set, out, err)
                        : index(options, read.set, out, err);
}
