// Fuzzes xrdfit's command line: the input is the arguments, separated by NUL bytes. A
// usable command line names exactly one source of regions and at least one pattern.

#include <cmath>
#include <cstdint>

#include "batch/fit_options.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = splitArguments(data, size);
    const ParsedFitCommand parsed = parseFitArgs(args);
    requireParseVerdict(parsed.outcome == CommandLineWalk::UsageError, parsed.error);
    if (parsed.outcome != CommandLineWalk::Run) return 0;
    const FitOptions& options = parsed.options;
    require(
        !options.planFile.empty() + !options.fromFitFile.empty() + !options.cdtFile.empty() == 1,
        "a fit has exactly one source of regions");
    require(!options.patterns.empty(), "a fit has a pattern");
    requireOperandsGiven(options.patterns, args);
    require(!options.wor || std::isfinite(*options.wor), "a W/R given is finite");
    require(options.jobs >= 0, "the job count is not negative");
    require(options.maxIterations >= 1 && options.input.range >= 1, "the limits count from 1");
    return 0;
}
