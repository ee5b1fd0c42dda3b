#include "driver/run_arguments.h"

#include "import/instrument_formats.h"

RunArguments parseRunArguments(const std::vector<std::string>& args) {
    RunArguments command;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--from" || arg.rfind("--from=", 0) == 0) {
            const bool joined = arg.size() > 6;
            if (!joined && k + 1 == args.size()) {
                command.error = "--from needs a format: " + fromFormatNames();
                return command;
            }
            command.from = joined ? arg.substr(7) : args[++k];
            if (!isFromFormatName(command.from)) {
                command.error =
                    "Unknown format '" + command.from + "' for --from: use " + fromFormatNames();
                return command;
            }
        } else {
            command.files.push_back(arg);
        }
    }
    return command;
}
