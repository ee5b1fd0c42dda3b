#pragma once
// xrdfit: the same regions fitted in every pattern of a series, from the command line, with
// the readers and the fit engine of xrdpick.

#include <iosfwd>
#include <string>
#include <vector>

// Runs xrdfit with its arguments (the program name excluded). The table goes to `out`
// unless --table names a file; messages go to `err`, with a progress line when
// showProgress. Returns the exit status: 0 when every fit of every pattern succeeded, 1
// when a pattern could not be read or a fit failed (the rest are still done and written),
// 2 for a usage error (nothing is fitted).
int fitMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            bool showProgress);
