#include "cell/observed_lines.h"

#include <algorithm>

bool everyLineWeighted(const LineSet& set) {
    return !set.lines.empty() &&
           std::all_of(set.lines.begin(), set.lines.end(),
                       [](const ObservedLine& line) { return line.tthSe > 0.0; });
}
