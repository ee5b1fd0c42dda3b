#pragma once
// The command-line conventions of the batch programs: options may stand before, between or
// after the operands; "--" ends them; an option's value follows as the next argument or
// after '=' ("--to=xy,dat").

#include <string>
#include <vector>

struct CommandLineItem {
    enum class Kind {
        Operand,       // a file (text)
        Option,        // an option (text as given; name before any '='; value if it takes one)
        MissingValue,  // an option that takes a value stands last without one (name)
    };
    Kind kind = Kind::Operand;
    std::string text;
    std::string name;
    std::string value;
};

// The arguments in their order; takesValue tells the options that take a value.
std::vector<CommandLineItem> splitCommandLine(const std::vector<std::string>& args,
                                              bool (*takesValue)(const std::string& name));
