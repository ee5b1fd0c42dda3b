// Fuzzes xrdconvert's command line: the input is the arguments, separated by NUL bytes. A
// usable command line has a file, and asks for processed formats in the writers' order.

#include <cstdint>
#include <cstring>

#include "convert/convert_options.h"
#include "fuzz_support.h"

namespace {

// Codes of kProcessedFormats, each once, in its order.
bool inWritersOrder(const std::string& formats) {
    const char* next = kProcessedFormats;
    for (const char code : formats) {
        const char* at = code ? std::strchr(next, code) : nullptr;
        if (!at) return false;
        next = at + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = splitArguments(data, size);
    const ParsedCommandLine parsed = parseConvertArgs(args);
    requireParseVerdict(parsed.outcome == CommandLineWalk::UsageError, parsed.error);
    if (parsed.outcome != CommandLineWalk::Run) return 0;
    const ConvertOptions& options = parsed.options;
    require(!options.files.empty(), "a conversion has a file");
    requireOperandsGiven(options.files, args);
    require(inWritersOrder(options.formats), "the formats are known codes in the writers' order");
    require(options.input.range >= 1 && options.input.bin >= 1, "block and bin count from 1");
    return 0;
}
