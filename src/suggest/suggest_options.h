#pragma once
// The command line of xrdsuggest.

#include <string>
#include <vector>

#include "convert/command_line.h"
#include "suggest/suggestions.h"

struct SuggestOptions {
    std::string outdir;  // empty: the current directory
    bool force = false;  // replace existing files
    bool background = true;
    bool peaks = true;
    SuggestSettings settings;
    ImportRequest input;  // --from, --block and the radiation
    std::vector<std::string> files;
};

using ParsedSuggestLine = ParsedArgs<SuggestOptions>;

ParsedSuggestLine parseSuggestArgs(const std::vector<std::string>& args);

// The text of --help.
const char* suggestUsage();
