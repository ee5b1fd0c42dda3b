#include "cell/cell_options.h"

#include <sstream>

#include "batch/plan_text.h"
#include "cell/cell_text.h"
#include "cell/line_sources.h"

namespace {

const char* const kUsage =
    "Usage: xrdcell [--lines N] [--impurities K] [--solutions K] [--systems LIST]\n"
    "               [--time-limit S] [--cell \"SYSTEM a [b c alpha beta gamma]\"]\n"
    "               [--zero fixed|refined] [--displacement] [--report FILE]\n"
    "               [--plot FILE.png] [--from FORMAT] [--block N]\n"
    "               [--anode NAME | --wavelength L1[,L2[,RATIO]]] [--no-ka2] SOURCE\n"
    "Indexes the lines of SOURCE and refines the unit cell. SOURCE is a .dsp file (as\n"
    "xrdsuggest writes it), an xrdfit results table (its ok rows), a plain list of two-theta\n"
    "values one per line, or a pattern file of any format xrdpick reads: its peaks are then\n"
    "found as xrdsuggest finds them and fitted as xrdfit --cdt fits them.\n"
    "\n"
    "The search tries the cubic, tetragonal, hexagonal (with the rhombohedral lattice in\n"
    "hexagonal axes), orthorhombic and monoclinic systems in turn: sets of the lowest lines\n"
    "are taken for low-index hkl, the cell solved from them and refined with a zero shift on\n"
    "every line it indexes (trial and error after Werner, J. Appl. Cryst. 18 (1985) 367).\n"
    "Solutions are ranked by de Wolff's M20 times the square of the share of lines indexed\n"
    "(so a cell that leaves a line out must do much better on the rest), with Smith and\n"
    "Snyder's F_N beside it, given the centring the absent lines show, set in their\n"
    "conventional setting and listed once per lattice. The monoclinic search is left out\n"
    "when a higher system has a convincing solution (M20 of 20 or more, all lines but the\n"
    "impurities indexed).\n"
    "\n"
    "The best solution, or the --cell given, is refined by weighted least squares on the\n"
    "observed two-theta (weights 1/tth_se^2 where every line has tth_se), with its esds from\n"
    "the full covariance scaled by the reduced chi-square.\n"
    "\n"
    "  --lines N         index the first N lines (default 20)\n"
    "  --impurities K    lines a solution may leave unindexed (default 1)\n"
    "  --solutions K     rows of the table (default 10)\n"
    "  --systems LIST    search only these systems, comma-separated (cubic, tetragonal,\n"
    "                    hexagonal, orthorhombic, monoclinic); given, each is searched\n"
    "  --time-limit S    stop the search after S seconds (default 60)\n"
    "  --cell TEXT       refine this cell instead of indexing: SYSTEM, an optional centring\n"
    "                    letter (P when left out), then the six parameters or the free ones\n"
    "  --zero fixed|refined\n"
    "                    hold the zero-point shift at 0 or refine it (default refined)\n"
    "  --displacement    refine a sample-displacement shift in cos theta too\n"
    "  --report FILE     write the refinement as text: cell, esds, figures of merit, the\n"
    "                    line table and the unindexed lines\n"
    "  --plot FILE.png   draw the pattern (or the lines as sticks) with the cell's lines\n"
    "  --from FORMAT     read SOURCE as this instrument format (as xrdconvert --from)\n"
    "  --block N         read range N of a file of several (default: 1)\n"
    "  --anode NAME      the radiation when the source states none: Cu, Co, Fe, Cr, Mo, Ag\n"
    "  --wavelength L1[,L2[,RATIO]]\n"
    "                    the same in Angstrom\n"
    "  --no-ka2          fit a pattern's peaks as single lines even where it names Kalpha2\n"
    "  --help            show this text\n"
    "  --version         show the version\n"
    "\n"
    "Standard output is a tab-separated table, best first: rank, system, centring, a, b, c,\n"
    "alpha, beta, gamma, volume, zero, M20, F_N, indexed (N/M of the first M lines). With\n"
    "--cell it is the refined cell's one row, with an _se column after each refined value,\n"
    "chi2 and dof. Messages go to standard error. Exit status: 0 when a solution (or the\n"
    "given cell) indexes all lines but the impurities, 1 when none does or the source\n"
    "cannot be used, 2 for a usage error.\n";

OptionRule countOption(const std::string& name, int lowest, int largest, int& count) {
    return {name, true, [=, &count](const std::string& value, std::string& error) {
                const int parsed = value == "0" ? 0 : countFrom1(value, largest);
                if ((parsed == 0 && value != "0") || parsed < lowest) {
                    error = name + " takes a whole number from " + std::to_string(lowest) + " to " +
                            std::to_string(largest) + ", not '" + value + "'";
                    return false;
                }
                count = parsed;
                return true;
            }};
}

bool applySystems(const std::string& value, IndexSettings& index, std::string& error) {
    index.systems.clear();
    std::istringstream in(value);
    for (std::string name; std::getline(in, name, ',');) {
        CrystalSystem system;
        bool rhombohedral = false;
        if (!systemFromName(name, system, rhombohedral)) {
            error =
                "--systems takes cubic, tetragonal, hexagonal, orthorhombic, monoclinic, "
                "not '" +
                name + "'";
            return false;
        }
        index.systems.push_back(system);
    }
    if (index.systems.empty()) {
        error = "--systems names no system";
        return false;
    }
    index.everySystem = true;
    return true;
}

}  // namespace

ParsedCellLine parseCellArgs(const std::vector<std::string>& args) {
    ParsedCellLine parsed;
    CellOptions& options = parsed.options;
    std::vector<std::string> sources;
    OptionTable table{countOption("--lines", kFewestLines, 1000, options.index.lines),
                      countOption("--impurities", 0, 100, options.index.impurities),
                      countOption("--solutions", 1, 1000, options.solutions),
                      {"--systems", true,
                       [&options](const std::string& value, std::string& error) {
                           return applySystems(value, options.index, error);
                       }},
                      {"--time-limit", true,
                       [&options](const std::string& value, std::string& error) {
                           const std::optional<double> seconds = parseNumber(value);
                           if (!seconds || !(*seconds > 0.0)) {
                               error = "--time-limit takes a positive number of seconds, not '" +
                                       value + "'";
                               return false;
                           }
                           options.index.seconds = *seconds;
                           return true;
                       }},
                      {"--cell", true,
                       [&options](const std::string& value, std::string& error) {
                           options.cell = parseCellText(value, error);
                           if (!options.cell) error = "--cell: " + error;
                           return options.cell.has_value();
                       }},
                      {"--zero", true,
                       [&options](const std::string& value, std::string& error) {
                           if (value != "fixed" && value != "refined") {
                               error = "--zero takes fixed or refined, not '" + value + "'";
                               return false;
                           }
                           options.refine.zero = value == "refined";
                           return true;
                       }},
                      flagOption("--displacement", options.refine.displacement),
                      textOption("--report", options.report),
                      textOption("--plot", options.plot)};
    addReadOptions(table, options.input);
    addRadiationOptions(table, options.input.radiation);
    table.push_back(flagOption("--no-ka2", options.input.radiation.noKa2));
    parsed.outcome = walkCommandLine(args, table, sources, parsed.error);
    if (parsed.outcome != CommandLineWalk::Run) return parsed;
    if (sources.size() != 1)
        return usageError<CellOptions>(sources.empty() ? "no SOURCE to index"
                                                       : "give one SOURCE, not " +
                                                             std::to_string(sources.size()));
    options.source = sources[0];
    return parsed;
}

const char* cellUsage() {
    return kUsage;
}
