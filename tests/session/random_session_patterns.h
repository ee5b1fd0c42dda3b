#pragma once
// The patterns random sessions run on, chosen by the seed: an ordinary pattern with two
// peaks, the smallest pattern, a flat one, one with decreasing angles, raw scans to merge,
// one with huge intensities on a wide grid, and one with negative counts.

#include <string>
#include <utility>
#include <vector>

struct SessionPattern {
    std::string name;                                        // named on the command line
    std::vector<std::pair<std::string, std::string>> files;  // name and content of each
};

SessionPattern sessionPattern(unsigned seed);
