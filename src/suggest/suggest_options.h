#pragma once
// The command line of xrdsuggest.

#include <string>
#include <vector>

#include "suggest/suggestions.h"

struct SuggestOptions {
    std::string outdir;  // empty: the current directory
    bool force = false;  // replace existing files
    bool background = true;
    bool peaks = true;
    SuggestSettings settings;
    std::vector<std::string> files;
};

enum class SuggestCommand { Suggest, Help, Version, UsageError };

struct ParsedSuggestLine {
    SuggestCommand outcome = SuggestCommand::Suggest;
    SuggestOptions options;
    std::string error;  // why the command line is not usable
};

ParsedSuggestLine parseSuggestArgs(const std::vector<std::string>& args);

// The text of --help.
const char* suggestUsage();
