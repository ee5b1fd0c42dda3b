#include "convert/command_line.h"

std::vector<CommandLineItem> splitCommandLine(const std::vector<std::string>& args,
                                              bool (*takesValue)(const std::string& name)) {
    std::vector<CommandLineItem> items;
    bool optionsEnded = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            items.push_back({CommandLineItem::Kind::Operand, arg, {}, {}});
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        CommandLineItem item{CommandLineItem::Kind::Option, arg, arg.substr(0, equals), {}};
        if (takesValue(item.name)) {
            if (equals != std::string::npos) {
                item.value = arg.substr(equals + 1);
            } else if (k + 1 < args.size()) {
                item.value = args[++k];
            } else {
                item.kind = CommandLineItem::Kind::MissingValue;
            }
        }
        items.push_back(std::move(item));
    }
    return items;
}
