#include "convert/command_line.h"

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
