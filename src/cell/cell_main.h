#pragma once
// xrdcell: the unit cell from peak positions, indexed and refined, from the command line.

#include <iosfwd>
#include <string>
#include <vector>

// Runs xrdcell with its arguments (the program name excluded). Standard output gets the
// table, the error stream the messages. Returns the exit status: 0 when a solution (or the
// given cell) indexes all lines but the allowed impurities, 1 when none does or the source
// cannot be used, 2 for a usage error.
int cellMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
