#pragma once
// xrdfit: the same regions fitted in every pattern of a series, from the command line, with
// the readers and the fit engine of xrdpick.

#include <iosfwd>
#include <string>
#include <vector>

// Which of the two streams a person watches: a progress line on `err` helps one, and rows
// on `out` that reach the same terminal must not run on from it.
struct Terminals {
    bool err = false;
    bool out = false;
};

// Runs xrdfit with its arguments (the program name excluded). The table goes to `out`
// unless --table names a file; messages go to `err`, with a progress line when that is a
// terminal. Returns the exit status: 0 when every row is ok, 1 when a pattern could not be
// read or a fit is not ok (the rest are still done and written), 2 for a usage error
// (nothing is fitted).
int fitMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            Terminals terminals = {});
