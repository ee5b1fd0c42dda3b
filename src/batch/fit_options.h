#pragma once
// The command line of xrdfit: the patterns of a series, where its regions come from, and
// what is written.

#include <optional>
#include <string>
#include <vector>

#include "convert/command_line.h"
#include "fit/fit_setup.h"
#include "import/import_readers.h"

// The most iterations --max-iter allows a fit.
inline constexpr int kMostIterations = 10000;

struct FitOptions {
    std::string planFile;     // --plan: a plan file
    std::string fromFitFile;  // --from-fit: an xrdpick *.fit file
    std::string cdtFile;      // --cdt: a peak position file (one of the three is set)
    std::optional<double> wor;
    bool autoWor = false;  // --wor auto
    bool commonFwhm = false;
    bool xrdpickStart = false;
    bool sequential = false;
    bool verbose = false;
    int jobs = 0;  // 0: one per core
    int maxIterations = kFitIterations;
    ImportRequest input;    // --from, --block and the radiation
    std::string tableFile;  // empty: standard output
    std::string fitFile;    // empty: no *.fit blocks
    std::string plotsDir;   // empty: no pictures
    std::vector<std::string> patterns;
};

using ParsedFitCommand = ParsedArgs<FitOptions>;

// Options may stand before, between or after the patterns; "--" ends them. An option's
// value follows as the next argument or after '=' ("--jobs=4").
ParsedFitCommand parseFitArgs(const std::vector<std::string>& args);

// The text of --help.
const char* fitUsage();
