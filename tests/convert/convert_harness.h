#pragma once
// Runs xrdconvert in-process, and xrdpick's own load step and end dialogue for comparison.

#include <string>
#include <vector>

struct ConvertRun {
    int status = -1;
    std::string out;  // the files listed as written
    std::string err;  // the messages
};

ConvertRun runConvert(const std::vector<std::string>& args, bool showProgress = false);

// Loads name as xrdpick's load step does, with typedNames on the console for the further
// raw scans, then answers the end dialogue so that only `format` ('x', 'w', 'd' or 'g') is
// written, to path, with title for a .gda file. False when the load failed.
bool writeAsSession(const std::string& name, const std::string& typedNames, char format,
                    const std::string& path, const std::string& title);

// The absolute path of a shipped example file.
std::string example(const std::string& file);

bool contains(const std::string& text, const std::string& part);

// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);
