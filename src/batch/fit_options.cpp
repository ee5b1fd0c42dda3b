#include "batch/fit_options.h"

#include "batch/plan_text.h"
#include "convert/command_line.h"

namespace {

const char* const kUsage =
    "Usage: xrdfit (--plan FILE | --from-fit FILE | --cdt FILE) [OPTIONS] PATTERN...\n"
    "Fits the same regions in every pattern of a series with xrdpick's asymmetric\n"
    "pseudo-Voigt profile and least-squares engine, and tabulates the peaks.\n"
    "\n"
    "  --plan FILE      the regions: one per line, \"LOW HIGH P1 [P2 ... P9] [wor=W]\",\n"
    "                   angles in degrees: the two background ends, then the start\n"
    "                   positions of one to nine peaks; '#' starts a comment\n"
    "  --from-fit FILE  the regions of the accepted fits in an xrdpick *.fit file, one per\n"
    "                   block, its positions, widths, intensities, eta and W/R as start\n"
    "                   values; the background ends lie 4 FWHMs outside the peaks, each\n"
    "                   peak with its own FWHM: the least of position - 4 FWHM and the\n"
    "                   greatest of position + 4 FWHM over the block's peaks\n"
    "  --cdt FILE       the regions from a peak position file (.cdt) of xrdpick or\n"
    "                   xrdsuggest: neighbouring positions closer than 6 FWHMs are fitted\n"
    "                   together, at most 9 to a region; the background ends lie 3 FWHMs\n"
    "                   outside the outer peaks, never past halfway to the next region's\n"
    "                   peak; the FWHM is the one the first readable pattern shows\n"
    "                   (with --from-fit and --cdt, ends beyond a pattern's own ends are\n"
    "                   drawn in to them)\n"
    "  --from FORMAT    read every PATTERN as this instrument format, whatever its\n"
    "                   extension (as xrdconvert --from)\n"
    "  --block N        read range N of a file of several (default: 1)\n"
    "  --anode NAME     the radiation of patterns whose file states none: the Kalpha1 and\n"
    "                   Kalpha2 lines of a Cu, Co, Fe, Cr, Mo or Ag tube (International\n"
    "                   Tables), intensity ratio 0.5\n"
    "  --wavelength L1[,L2[,RATIO]]\n"
    "                   the same in Angstrom: one wavelength is monochromatic; with L2,\n"
    "                   RATIO is its intensity over L1's (default 0.5)\n"
    "  --no-ka2         fit single lines even where the file names a Kalpha2 line (a\n"
    "                   Kalpha1 monochromator)\n"
    "  --max-iter N     the iteration limit of each fit (default: 30)\n"
    "  --wor W          W/R for every region (negative: refined, starting at |W|, from\n"
    "                   that start and from the fit with W/R held, the better kept)\n"
    "  --wor auto       W/R estimated once per pattern, the instrument's, and held for\n"
    "                   every region: each region of one peak up to 70 degrees (without\n"
    "                   any, each region up to 70 degrees) is fitted along a ladder of\n"
    "                   held W/R values, the chi-square's minimum is its W/R, and the\n"
    "                   median of the 8 that tell it best (each weighted by how sharply\n"
    "                   its chi-square rises off the minimum) is the pattern's.\n"
    "                   Without --wor: a region's own W/R (its plan line's wor=W, its\n"
    "                   block's), else the estimate of --wor auto; where the pattern\n"
    "                   cannot tell, W/R 0 is held and the rows are flagged wor-assumed\n"
    "  --common         one common FWHM per region; default: one FWHM per peak\n"
    "  --xrdpick-start  every FWHM starts as in xrdpick's fit, at the region's net area\n"
    "                   over its summed peak heights, which gives xrdpick's result to the\n"
    "                   last digit; default: at twice the half width at half maximum on\n"
    "                   the high-angle side (a doublet's less the Kalpha2 separation),\n"
    "                   which the asymmetric tail does not reach: fewer iterations\n"
    "  --sequential     each pattern starts from the previous pattern's fitted peaks, eta\n"
    "                   and W/R, in the order given (after a failed fit: the last good);\n"
    "                   the background always starts from the pattern's own ends\n"
    "  --jobs N         fits run on N threads (default: one per core); the results never\n"
    "                   depend on N\n"
    "  --table FILE     results table, replaced if it exists (default: standard output)\n"
    "  --fit FILE       also append every good fit as a block to this *.fit file\n"
    "  --plots DIR      one PNG picture per fit the engine ran, failed ones too, as\n"
    "                   DIR/PATTERN_regionR.png ('/' in the pattern's name as '_', '.'\n"
    "                   and '..' left out; ~2, ~3, ... after a name another pattern or\n"
    "                   a file of the run already has)\n"
    "  --verbose        the engine's reports for every fit on standard error (the fits\n"
    "                   then report one at a time)\n"
    "  --help, --version\n"
    "\n"
    "The table is tab-separated, one header line and one row per peak per region per\n"
    "pattern, in the order of the patterns and the regions: pattern, region, peak, tth,\n"
    "tth_se, intensity, intensity_se, fwhm, fwhm_se, eta, wor, chi2, iterations, status,\n"
    "d, d_se (the spacing from the Kalpha1 wavelength, nan without one), flags. Standard\n"
    "errors come from the covariance of the fit (nan: a value not free at the solution).\n"
    "A row is ok only when its fit converged (a value pushed only against its bound counts\n"
    "as converged), every value and error is finite, the peak lies inside its region, its\n"
    "intensity is at least 3 standard errors and its FWHM at least one step. A peak the\n"
    "data do not hold is dropped and its region fitted again without it; its row says why:\n"
    "no-peak (an intensity not positive), not-significant, too-narrow, diverged (a value\n"
    "not finite, a FWHM not positive, or a peak that left its region). Other statuses:\n"
    "unreadable, irregular-grid (the angles lie on no grid of one step), outside (the\n"
    "region is not inside the pattern), too-few-points, iteration-limit (the limit ended\n"
    "the fit: its values are shown, judge them). Flags, comma-separated, name what to look\n"
    "at: eta-at-bound (eta ended on 0 or 1), wor-assumed (W/R held, not measured),\n"
    "high-chi2 (reduced chi-square above 3: the model misses structure, such as two\n"
    "reflections fitted as one), near-end (within one FWHM of a region end), ka2-outside\n"
    "(the Kalpha2 companion beyond the region). Exit status: 0 when every row is ok, 1 when\n"
    "a pattern could not be read or a peak is not ok (the rest are still done and\n"
    "written), "
    "2 for a usage error.\n";

constexpr int kMaxJobs = 1024;

// Every value of xrdfit's options is needed: an empty one is refused.
OptionRule valueNeeded(OptionRule option) {
    return {
        option.name, true,
        [apply = option.apply, name = option.name](const std::string& value, std::string& error) {
            if (value.empty()) {
                error = name + " needs a value";
                return false;
            }
            return apply(value, error);
        }};
}

OptionRule countOption(const std::string& name, int largest, int& count) {
    return {name, true, [name, largest, &count](const std::string& value, std::string& error) {
                count = countFrom1(value, largest);
                if (count == 0)
                    error = name + " needs a whole number from 1 to " + std::to_string(largest) +
                            ", not '" + value + "'";
                return count != 0;
            }};
}

// The table keeps rows apart by tabs and line ends, which a pattern name must not hold.
bool namesFitTable(const std::vector<std::string>& patterns, std::string& error) {
    for (const std::string& name : patterns) {
        if (name.find_first_of("\t\r\n") != std::string::npos) {
            error = "a pattern name holds a tab or a line end, which the table cannot show";
            return false;
        }
    }
    return true;
}

}  // namespace

ParsedFitCommand parseFitArgs(const std::vector<std::string>& args) {
    ParsedFitCommand parsed;
    FitOptions& options = parsed.options;
    OptionTable table{textOption("--plan", options.planFile),
                      textOption("--from-fit", options.fromFitFile),
                      textOption("--cdt", options.cdtFile),
                      {"--wor", true,
                       [&options](const std::string& value, std::string& error) {
                           options.autoWor = value == "auto";
                           options.wor = options.autoWor ? std::nullopt : parseNumber(value);
                           if (!options.wor && !options.autoWor)
                               error = "--wor needs a number or 'auto', not '" + value + "'";
                           return options.wor.has_value() || options.autoWor;
                       }},
                      countOption("--jobs", kMaxJobs, options.jobs),
                      countOption("--max-iter", kMostIterations, options.maxIterations),
                      textOption("--table", options.tableFile),
                      textOption("--fit", options.fitFile),
                      textOption("--plots", options.plotsDir)};
    addReadOptions(table, options.input);
    addRadiationOptions(table, options.input.radiation);
    for (OptionRule& option : table) option = valueNeeded(std::move(option));
    table.push_back(flagOption("--common", options.commonFwhm));
    table.push_back(flagOption("--xrdpick-start", options.xrdpickStart));
    table.push_back(flagOption("--sequential", options.sequential));
    table.push_back(flagOption("--verbose", options.verbose));
    table.push_back(flagOption("--no-ka2", options.input.radiation.noKa2));
    parsed.outcome = walkCommandLine(args, table, options.patterns, parsed.error);
    if (parsed.outcome != CommandLineWalk::Run) return parsed;
    std::string error;
    const int sources =
        !options.planFile.empty() + !options.fromFitFile.empty() + !options.cdtFile.empty();
    if (sources != 1)
        return usageError<FitOptions>(
            "give the regions with one of --plan FILE, --from-fit FILE or --cdt FILE");
    if (options.patterns.empty()) return usageError<FitOptions>("no PATTERN to fit");
    if (!namesFitTable(options.patterns, error)) return usageError<FitOptions>(error);
    return parsed;
}

const char* fitUsage() {
    return kUsage;
}
