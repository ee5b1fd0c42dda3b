#pragma once
// The command line of xrdpick after --help and --version: an instrument format named with
// --from, and the data file name.

#include <string>
#include <vector>

struct RunArguments {
    std::string from;                // empty: the format is told by the file name
    std::vector<std::string> files;  // the data file name first
    std::string error;               // why the command line is not usable
};

// "--from FORMAT" or "--from=FORMAT" may stand before or after the name.
RunArguments parseRunArguments(const std::vector<std::string>& args);
