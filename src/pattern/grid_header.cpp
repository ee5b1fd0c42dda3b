#include "pattern/grid_header.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The value a reader takes back from the text written with these decimals.
double asWritten(double value, int decimals) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    return std::strtod(text.data(), nullptr);
}

}  // namespace

GridHeader gridHeader(const PatternStore& store, const HeaderPrecision& precision) {
    GridHeader header{};
    for (int decimals = precision.least; decimals <= precision.most; ++decimals) {
        header.decimals = decimals;
        header.tthmin = asWritten(store.tthmin * precision.scale, decimals);
        header.tthstep = asWritten(store.tthstep * precision.scale, decimals);
        // Both grids are straight lines: they lie farthest apart at an end.
        const double first = std::fabs(header.tthmin / precision.scale - store.tthmin);
        const double last =
            std::fabs((header.tthmin + store.ilast * header.tthstep) / precision.scale -
                      (store.tthmin + store.ilast * store.tthstep));
        header.drift = std::max(first, last);
        if (header.drift <= kHeaderDriftLimit) break;
    }
    return header;
}
