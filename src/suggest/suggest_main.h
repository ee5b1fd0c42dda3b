#pragma once
// xrdsuggest: background points and peak positions suggested for patterns, as the files
// xrdpick loads, from the command line.

#include <iosfwd>
#include <string>
#include <vector>

// Runs xrdsuggest with its arguments (the program name excluded). Standard output gets one
// line per pattern, the error stream the messages. Returns the exit status: 0 when every
// pattern was done, 1 when one failed (the others are still done), 2 for a usage error.
int suggestMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
