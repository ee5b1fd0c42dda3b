#include "convert/convert_options.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "convert/command_line.h"
#include "pattern/data_file_name.h"
#include "pattern/writers.h"

namespace {

const char* const kUsage =
    "Usage: xrdconvert [OPTIONS] FILE...\n"
    "       xrdconvert --merge [--to FORMATS] [--outdir DIR] [--title TEXT] [--force] SCAN...\n"
    "Converts powder patterns into the processed formats, or merges raw scan files into one\n"
    "pattern, with the readers and writers of xrdpick. A file is known by its last extension.\n"
    "\n"
    "  Format                      Read from (any case for        --from       --to\n"
    "                              instrument files)\n"
    "  XRS82: 2theta, cts, sig     .xy .XY, first line 3 numbers               xy\n"
    "  Text: 2theta, cts[, esd]    .xy (.xye), any other\n"
    "  Wyriet                      .wyr .WYR                                   wyr\n"
    "  PROFIN                      .dat .DAT                                   dat\n"
    "  GSAS standard data          .gda .GDA                                   gda\n"
    "  Raw SUPER scans             .001 .002 ... (--merge)\n"
    "  Siemens/Bruker RAW v1-v3    .raw (by its first bytes)      bruker_raw\n"
    "  Philips RD/SD, RAW          .rd .sd .raw                   philips_rd\n"
    "  Bruker UXD                  .uxd                           uxd\n"
    "  PANalytical XRDML           .xrdml                         xrdml\n"
    "  Philips UDF                 .udf                           philips_udf\n"
    "  Sietronics CPI              .cpi                           cpi\n"
    "  DBWS                        .dbw .rit .neu                 dbws\n"
    "  Powder diffraction CIF      .cif                           pdcif\n"
    "  CSV/TSV: 2theta, cts[, esd] .csv .tsv .tab                 csv\n"
    "  Rigaku DAT                  only with --from               rigaku_dat\n"
    "  RIET7/LHPM/PSI DAT          only with --from               riet7\n"
    "\n"
    "  --to FORMATS   comma-separated list of xy, wyr, dat, gda\n"
    "                 (default: all four but the input's own format)\n"
    "  --from FORMAT  read every FILE as this instrument format, whatever its extension\n"
    "  --block N      read range N of an instrument file of several (default: 1)\n"
    "  --bin N        sum every N neighbouring points into one (angles averaged, counts\n"
    "                 summed, sig added in quadrature; a last partial group is dropped)\n"
    "  --regrid STEP  put the pattern on a uniform grid of STEP degrees, counts interpolated\n"
    "                 linearly (a pattern whose steps are not uniform needs it)\n"
    "  --outdir DIR   where the files are written (default: the current directory)\n"
    "  --title TEXT   title line of .gda files (default: the input's file name)\n"
    "  --force        replace files that exist already\n"
    "  --merge        merge the raw scans into one pattern, named after the first scan\n"
    "  --strip-ka2    remove the Kalpha2 contribution by Rachinger's method (unsmoothed;\n"
    "                 sig propagated): the output is a Kalpha1 pattern for single-line\n"
    "                 fits. The radiation is the file's, else:\n"
    "  --anode NAME   the Kalpha1/Kalpha2 lines of a Cu, Co, Fe, Cr, Mo or Ag tube, ratio 0.5\n"
    "  --wavelength L1,L2[,RATIO]\n"
    "                 the two wavelengths in Angstrom and L2's intensity ratio (default 0.5)\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "Each file is written to DIR/STEM.EXT, STEM being the input's file name up to its last\n"
    "'.'. Standard output lists the files written; messages go to standard error. Exit\n"
    "status: 0 when every input converted, 1 when one failed, 2 for a usage error.\n";

// The code of a format named as in --to; 0 for an unknown name.
char formatCode(const std::string& name) {
    for (const char* code = kProcessedFormats; *code; ++code)
        if (name == formatExtension(*code)) return *code;
    return 0;
}

// The format codes named by a --to value, in the writers' order whatever order the list
// gives; empty after setting the error for an unknown name or an empty list.
std::string formatCodes(const std::string& list, std::string& error) {
    std::string named;
    std::istringstream names(list);
    std::string name;
    while (std::getline(names, name, ',')) {
        const char code = formatCode(name);
        if (code == 0) {
            error = "unknown format '" + name + "' for --to (use xy, wyr, dat, gda)";
            return {};
        }
        named += code;
    }
    std::string ordered;
    for (const char* code = kProcessedFormats; *code; ++code)
        if (named.find(*code) != std::string::npos) ordered += *code;
    if (ordered.empty()) error = "--to needs at least one of xy, wyr, dat, gda";
    return ordered;
}

// The .gda reader takes one line of at most kGdaTitleMax characters as the title.
bool titleFits(const std::string& title, std::string& error) {
    if (title.find_first_of("\r\n") != std::string::npos) {
        error = "--title must be a single line";
        return false;
    }
    if (title.size() > kGdaTitleMax) {
        error = "--title holds at most " + std::to_string(kGdaTitleMax) + " characters";
        return false;
    }
    return true;
}

// A finite number above 0, written whole; unset for anything else.
std::optional<double> positiveNumber(const std::string& value) {
    char* end = nullptr;
    const double number = std::strtod(value.c_str(), &end);
    if (value.empty() || end != value.c_str() + value.size() || !std::isfinite(number) ||
        number <= 0.0)
        return {};
    return number;
}

}  // namespace

ParsedCommandLine parseConvertArgs(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    ConvertOptions& options = parsed.options;
    OptionTable table{
        {"--to", true,
         [&options](const std::string& value, std::string& error) {
             options.formats = formatCodes(value, error);
             return !options.formats.empty();
         }},
        {"--title", true,
         [&options](const std::string& value, std::string& error) {
             if (!titleFits(value, error)) return false;
             options.title = value;
             return true;
         }},
        {"--bin", true,
         [&options](const std::string& value, std::string& error) {
             options.input.bin = countFrom1(value, kLargestCount);
             if (options.input.bin == 0)
                 error = "--bin needs a whole number from 1 to " + std::to_string(kLargestCount);
             return options.input.bin != 0;
         }},
        {"--regrid", true,
         [&options](const std::string& value, std::string& error) {
             options.regrid = positiveNumber(value);
             if (!options.regrid)
                 error = "--regrid needs a positive number of degrees, not '" + value + "'";
             return options.regrid.has_value();
         }},
        flagOption("--merge", options.merge),
        flagOption("--strip-ka2", options.stripKa2)};
    addOutputOptions(table, options.outdir, options.force);
    addReadOptions(table, options.input);
    addRadiationOptions(table, options.input.radiation);
    parsed.outcome = walkCommandLine(args, table, options.files, parsed.error);
    if (parsed.outcome != CommandLineWalk::Run) return parsed;
    if (options.files.empty())
        return usageError<ConvertOptions>(options.merge ? "no SCAN to merge"
                                                        : "no FILE to convert");
    if (options.stripKa2 && options.merge)
        return usageError<ConvertOptions>(
            "--strip-ka2 works on the files converted, not on --merge");
    if (options.input.radiation.given && !options.stripKa2)
        return usageError<ConvertOptions>("--anode and --wavelength serve --strip-ka2");
    return parsed;
}

const char* convertUsage() {
    return kUsage;
}
