#pragma once
// xrdconvert: batch conversion of pattern files, and merging of raw scans, from the command
// line, with the readers and writers of xrdpick.

#include <iosfwd>
#include <string>
#include <vector>

// Runs xrdconvert with its arguments (the program name excluded). Standard output gets the
// files written, one per line; the error stream gets the messages and, with showProgress, a
// line as each input starts. Returns the exit status: 0 when every input converted, 1 when
// one failed (the others are still converted), 2 for a usage error.
int convertMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                bool showProgress);
