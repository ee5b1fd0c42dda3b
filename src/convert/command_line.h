#pragma once
// The command-line conventions of the batch programs: options may stand before, between or
// after the operands; "--" ends them; an option's value follows as the next argument or
// after '=' ("--to=xy,dat"); --help (or -h) and --version answer at once.

#include <functional>
#include <string>
#include <vector>

#include "import/import_readers.h"

enum class CommandLineWalk { Run, Help, Version, UsageError };

struct CommandLineRules {
    bool (*takesValue)(const std::string& name);
    // Applies an option without a value; false for an option the program does not know.
    std::function<bool(const std::string& option)> flag;
    // Applies an option's value; false after setting the error.
    std::function<bool(const std::string& name, const std::string& value, std::string& error)>
        value;
};

// Walks the arguments in their order, collecting the operands, until --help or --version
// or the first unusable option (UsageError, with the error set).
CommandLineWalk walkCommandLine(const std::vector<std::string>& args, const CommandLineRules& rules,
                                std::vector<std::string>& operands, std::string& error);

// The whole number `text` when it lies from 1 to `largest`; 0 for anything else.
int countFrom1(const std::string& text, int largest);

// How every batch program reads its inputs: --from FORMAT and --block N.
bool isReadOption(const std::string& name);
// Applies a read option's value to `request`; false after setting the error.
bool applyReadOption(const std::string& name, const std::string& value, ImportRequest& request,
                     std::string& error);
