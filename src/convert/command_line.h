#pragma once
// The command-line conventions of the batch programs: options may stand before, between or
// after the operands; "--" ends them; an option's value follows as the next argument or
// after '=' ("--to=xy,dat"); --help (or -h) and --version answer at once. Each program
// declares its options as a table; the options the programs share are declared here once.

#include <functional>
#include <string>
#include <vector>

#include "import/import_readers.h"

enum class CommandLineWalk { Run, Help, Version, UsageError };

// What a program's command line came to: run with these options, answer --help or
// --version, or refuse it with the error.
template <typename Options>
struct ParsedArgs {
    CommandLineWalk outcome = CommandLineWalk::Run;
    Options options;
    std::string error;  // why the command line is not usable
};

template <typename Options>
ParsedArgs<Options> usageError(std::string error) {
    ParsedArgs<Options> parsed;
    parsed.outcome = CommandLineWalk::UsageError;
    parsed.error = std::move(error);
    return parsed;
}

// One option a program knows. A flag's apply gets an empty value. apply returns false after
// setting the error.
struct OptionRule {
    std::string name;
    bool takesValue;
    std::function<bool(const std::string& value, std::string& error)> apply;
};
using OptionTable = std::vector<OptionRule>;

// Walks the arguments in their order, collecting the operands, until --help or --version
// or the first unusable option (UsageError, with the error set).
CommandLineWalk walkCommandLine(const std::vector<std::string>& args, const OptionTable& options,
                                std::vector<std::string>& operands, std::string& error);

// More ranges or neighbours to bin than any file holds; the bound keeps the arithmetic in int.
inline constexpr int kLargestCount = 1000000;

// The whole number `text` when it lies from 1 to `largest`; 0 for anything else.
int countFrom1(const std::string& text, int largest);

OptionRule flagOption(const std::string& name, bool& flag);
OptionRule textOption(const std::string& name, std::string& text);

// How every batch program reads its inputs: --from FORMAT and --block N.
void addReadOptions(OptionTable& options, ImportRequest& request);
// The radiation of patterns whose file states none: --anode NAME or
// --wavelength L1[,L2[,RATIO]], given once.
void addRadiationOptions(OptionTable& options, RadiationRequest& radiation);
// Where the programs that write files beside their names put them: --outdir DIR, and
// --force to replace what is there.
void addOutputOptions(OptionTable& options, std::string& outdir, bool& force);
