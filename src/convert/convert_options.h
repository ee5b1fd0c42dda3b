#pragma once
// The command line of xrdconvert: which files to convert or merge, and how.

#include <optional>
#include <string>
#include <vector>

#include "convert/command_line.h"
#include "import/import_readers.h"

// The processed format codes, in the order the writers run.
inline constexpr const char* kProcessedFormats = "xwdg";

struct ConvertOptions {
    std::string formats;  // format codes to write ('x', 'w', 'd', 'g') in the writers' order;
                          // empty: every format but the input's own
    std::string outdir;   // empty: the current directory
    std::optional<std::string> title;  // the GSAS title; unset: the input's base name
    bool force = false;                // replace existing files
    bool merge = false;                // the files are raw scans of one pattern
    ImportRequest input;           // --from (empty: the format by name), --block, --bin, and the
                                   // radiation (--anode, --wavelength) for --strip-ka2
    std::optional<double> regrid;  // the step of a uniform grid to resample on
    bool stripKa2 = false;         // remove the Kα2 contribution (Rachinger)
    std::vector<std::string> files;
};

using ParsedCommandLine = ParsedArgs<ConvertOptions>;

// Options may stand before, between or after the files; "--" ends them. An option's value
// follows as the next argument or after '=' ("--to=xy,dat").
ParsedCommandLine parseConvertArgs(const std::vector<std::string>& args);

// The text of --help.
const char* convertUsage();
