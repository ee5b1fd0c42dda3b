// Fuzzes xrdsuggest's command line: the input is the arguments, separated by NUL bytes. A
// usable command line has a pattern and something to suggest.

#include <cmath>
#include <cstdint>

#include "fuzz_support.h"
#include "suggest/suggest_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = splitArguments(data, size);
    const ParsedSuggestLine parsed = parseSuggestArgs(args);
    requireParseVerdict(parsed.outcome == CommandLineWalk::UsageError, parsed.error);
    if (parsed.outcome != CommandLineWalk::Run) return 0;
    const SuggestOptions& options = parsed.options;
    require(!options.files.empty(), "a suggestion has a pattern");
    requireOperandsGiven(options.files, args);
    require(options.background || options.peaks, "something is to be suggested");
    require(options.settings.points >= 0 && std::isfinite(options.settings.minSigma),
            "the settings are numbers a search can use");
    return 0;
}
