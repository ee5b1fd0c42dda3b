#include "convert/command_line.h"

#include "import/instrument_formats.h"

namespace {

// One option, given as `arg`, whose value (when it takes one) may be the argument at `next`.
CommandLineWalk applyOption(const std::vector<std::string>& args, std::size_t& next,
                            const CommandLineRules& rules, std::string& error) {
    const std::string& arg = args[next - 1];
    if (arg == "--help" || arg == "-h") return CommandLineWalk::Help;
    if (arg == "--version") return CommandLineWalk::Version;
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (!rules.takesValue(name)) {
        if (rules.flag(arg)) return CommandLineWalk::Run;
        error = "unknown option '" + arg + "'";
        return CommandLineWalk::UsageError;
    }
    std::string value;
    if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
    } else if (next < args.size()) {
        value = args[next++];
    } else {
        error = name + " needs a value";
        return CommandLineWalk::UsageError;
    }
    return rules.value(name, value, error) ? CommandLineWalk::Run : CommandLineWalk::UsageError;
}

}  // namespace

CommandLineWalk walkCommandLine(const std::vector<std::string>& args, const CommandLineRules& rules,
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
            const CommandLineWalk walk = applyOption(args, next, rules, error);
            if (walk != CommandLineWalk::Run) return walk;
        }
    }
    return CommandLineWalk::Run;
}

int countFrom1(const std::string& text, int largest) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const long count = std::stol(text);
    return count >= 1 && count <= largest ? static_cast<int>(count) : 0;
}

namespace {

// More ranges than any file holds; the bound keeps the arithmetic in int.
constexpr int kLargestBlock = 1000000;

}  // namespace

bool isReadOption(const std::string& name) {
    return name == "--from" || name == "--block";
}

bool applyReadOption(const std::string& name, const std::string& value, ImportRequest& request,
                     std::string& error) {
    if (name == "--from") {
        if (!isFromFormatName(value)) {
            error = "unknown format '" + value + "' for --from (use " + fromFormatNames() + ")";
            return false;
        }
        request.format = value;
        return true;
    }
    request.range = countFrom1(value, kLargestBlock);
    if (request.range == 0)
        error = "--block needs a whole number from 1 to " + std::to_string(kLargestBlock);
    return request.range != 0;
}
