#include "suggest/suggest_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "convert/command_line.h"

namespace {

const char* const kUsage =
    "Usage: xrdsuggest [--outdir DIR] [--force] [--no-background] [--no-peaks]\n"
    "                  [--points N] [--min-sigma S] [--from FORMAT] [--block N]\n"
    "                  [--anode NAME | --wavelength L1[,L2[,RATIO]]] [--no-ka2] PATTERN...\n"
    "Suggests background points and peak positions for each pattern, as the files xrdpick\n"
    "loads: STEM.fbg and STEM.gbg (background points, keys 'l'/'L' of the background side)\n"
    "and STEM.cdt (peak positions, keys 'l'/'L' of the peak side, or xrdfit --cdt).\n"
    "With a wavelength known, also STEM.dsp: 2theta, d (Angstrom) and height of each peak,\n"
    "for indexing programs. With Kalpha2 known the positions are Kalpha1 lines: a peak at\n"
    "the Kalpha2 place of a stronger one, with about the intensity ratio of its height, is\n"
    "left out as its companion, and the pull of a merged companion on the apex is taken off.\n"
    "It reads every pattern file that xrdpick reads.\n"
    "\n"
    "  --outdir DIR     where the files are written (default: the current directory)\n"
    "  --force          replace files that exist already\n"
    "  --no-background  write no background points\n"
    "  --no-peaks       write no peak positions\n"
    "  --points N       number of background points, 2 to 200, spread over the pattern\n"
    "                   (default: as many as follow the background's curvature, at\n"
    "                   most a tenth of the pattern apart)\n"
    "  --min-sigma S    how far a peak must stand above the background, at its apex in\n"
    "                   standard deviations of the counts, or over its width in standard\n"
    "                   errors of its area (default 5)\n"
    "  --from FORMAT    read every PATTERN as this instrument format, whatever its\n"
    "                   extension (as xrdconvert --from)\n"
    "  --block N        read range N of a file of several (default: 1)\n"
    "  --anode NAME     the radiation of patterns whose file states none: the Kalpha1 and\n"
    "                   Kalpha2 lines of a Cu, Co, Fe, Cr, Mo or Ag tube, ratio 0.5\n"
    "  --wavelength L1[,L2[,RATIO]]\n"
    "                   the same in Angstrom: one wavelength is monochromatic\n"
    "  --no-ka2         treat the pattern as single lines even where the file names Kalpha2\n"
    "  --help           show this text\n"
    "  --version        show the version\n"
    "\n"
    "The background is estimated by SNIP peak clipping on a variance-stabilised scale, with\n"
    "a window from the widths of the pattern's own peaks; the points lie on it, away from\n"
    "every peak, and between close peaks under their modelled tails. Peaks are the\n"
    "significant minima of the second derivative smoothed at every width from under two\n"
    "steps to 3 degrees, measured against the counting noise; each position is the apex of\n"
    "the observed peak. Standard output has one line per pattern with what was written;\n"
    "messages go to standard error. Exit status: 0 when every pattern was done, 1 when one\n"
    "failed, 2 for a usage error.\n";

// The whole text as a number; false for anything else (empty, trailing text, out of range).
bool wholeNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(value);
}

bool applyPoints(const std::string& value, SuggestOptions& options, std::string& error) {
    double number = 0.0;
    if (!wholeNumber(value, number) || number != std::floor(number) || number < 2 ||
        number > kMaxSuggested) {
        error = "--points takes a whole number from 2 to " + std::to_string(kMaxSuggested) +
                ", not '" + value + "'";
        return false;
    }
    options.settings.points = static_cast<int>(number);
    return true;
}

bool applyMinSigma(const std::string& value, SuggestOptions& options, std::string& error) {
    double number = 0.0;
    if (!wholeNumber(value, number) || number <= 0.0) {
        error = "--min-sigma takes a positive number, not '" + value + "'";
        return false;
    }
    options.settings.minSigma = number;
    return true;
}

// Clears a flag that is set by default.
OptionRule offOption(const std::string& name, bool& flag) {
    return {name, false, [&flag](const std::string&, std::string&) {
                flag = false;
                return true;
            }};
}

}  // namespace

ParsedSuggestLine parseSuggestArgs(const std::vector<std::string>& args) {
    ParsedSuggestLine parsed;
    SuggestOptions& options = parsed.options;
    OptionTable table{{"--points", true,
                       [&options](const std::string& value, std::string& error) {
                           return applyPoints(value, options, error);
                       }},
                      {"--min-sigma", true,
                       [&options](const std::string& value, std::string& error) {
                           return applyMinSigma(value, options, error);
                       }},
                      offOption("--no-background", options.background),
                      offOption("--no-peaks", options.peaks)};
    addOutputOptions(table, options.outdir, options.force);
    addReadOptions(table, options.input);
    addRadiationOptions(table, options.input.radiation);
    table.push_back(flagOption("--no-ka2", options.input.radiation.noKa2));
    parsed.outcome = walkCommandLine(args, table, options.files, parsed.error);
    if (parsed.outcome != CommandLineWalk::Run) return parsed;
    if (options.files.empty()) return usageError<SuggestOptions>("no PATTERN to suggest for");
    if (!options.background && !options.peaks)
        return usageError<SuggestOptions>(
            "--no-background and --no-peaks leave nothing to suggest");
    return parsed;
}

const char* suggestUsage() {
    return kUsage;
}
