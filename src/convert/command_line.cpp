#include "convert/command_line.h"

#include "import/instrument_formats.h"
#include "import/radiation_choice.h"

namespace {

const OptionRule* findOption(const OptionTable& options, const std::string& name) {
    for (const OptionRule& option : options)
        if (option.name == name) return &option;
    return nullptr;
}

// One option, given as `arg`, whose value (when it takes one) may be the argument at `next`.
CommandLineWalk applyOption(const std::vector<std::string>& args, std::size_t& next,
                            const OptionTable& options, std::string& error) {
    const std::string& arg = args[next - 1];
    if (arg == "--help" || arg == "-h") return CommandLineWalk::Help;
    if (arg == "--version") return CommandLineWalk::Version;
    const std::size_t equals = arg.find('=');
    const OptionRule* valued = findOption(options, arg.substr(0, equals));
    if (!valued || !valued->takesValue) {
        const OptionRule* flag = findOption(options, arg);
        if (flag && !flag->takesValue)
            return flag->apply("", error) ? CommandLineWalk::Run : CommandLineWalk::UsageError;
        error = "unknown option '" + arg + "'";
        return CommandLineWalk::UsageError;
    }
    std::string value;
    if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
    } else if (next < args.size()) {
        value = args[next++];
    } else {
        error = valued->name + " needs a value";
        return CommandLineWalk::UsageError;
    }
    return valued->apply(value, error) ? CommandLineWalk::Run : CommandLineWalk::UsageError;
}

}  // namespace

CommandLineWalk walkCommandLine(const std::vector<std::string>& args, const OptionTable& options,
                                std::vector<std::string>& operands, std::string& error) {
    bool optionsEnded = false;
    std::size_t next = 0;
    while (next < args.size()) {
        const std::string& arg = args[next++];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else {
            const CommandLineWalk walk = applyOption(args, next, options, error);
            if (walk != CommandLineWalk::Run) return walk;
        }
    }
    return CommandLineWalk::Run;
}

int countFrom1(const std::string& text, int largest) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const long count = std::stol(text);
    return count >= 1 && count <= largest ? static_cast<int>(count) : 0;
}

OptionRule flagOption(const std::string& name, bool& flag) {
    return {name, false, [&flag](const std::string&, std::string&) { return flag = true; }};
}

OptionRule textOption(const std::string& name, std::string& text) {
    return {name, true, [&text](const std::string& value, std::string&) {
                text = value;
                return true;
            }};
}

void addReadOptions(OptionTable& options, ImportRequest& request) {
    options.push_back({"--from", true, [&request](const std::string& value, std::string& error) {
                           if (!isFromFormatName(value)) {
                               error = "unknown format '" + value + "' for --from (use " +
                                       fromFormatNames() + ")";
                               return false;
                           }
                           request.format = value;
                           return true;
                       }});
    options.push_back({"--block", true, [&request](const std::string& value, std::string& error) {
                           request.range = countFrom1(value, kLargestCount);
                           if (request.range == 0)
                               error = "--block needs a whole number from 1 to " +
                                       std::to_string(kLargestCount);
                           return request.range != 0;
                       }});
}

void addRadiationOptions(OptionTable& options, RadiationRequest& radiation) {
    for (const char* name : {"--anode", "--wavelength"}) {
        const bool anode = name[2] == 'a';
        options.push_back(
            {name, true, [anode, &radiation](const std::string& value, std::string& error) {
                 if (radiation.given) {
                     error = "give the radiation once, with --anode or --wavelength";
                     return false;
                 }
                 radiation.given = anode ? anodeRadiation(value) : parseWavelengths(value, error);
                 if (anode && !radiation.given)
                     error = "unknown anode '" + value + "' for --anode (use " + anodeNames() + ")";
                 return radiation.given.has_value();
             }});
    }
}

void addOutputOptions(OptionTable& options, std::string& outdir, bool& force) {
    options.push_back(textOption("--outdir", outdir));
    options.push_back(flagOption("--force", force));
}
