#include "store_promises.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "fuzz_support.h"

namespace {

using Column = std::array<float, MAXBUF>;

bool finiteUpTo(const Column& values, int last) {
    return std::all_of(values.begin(), values.begin() + last + 1,
                       [](float v) { return std::isfinite(v); });
}

bool unsetFrom(const Column& values, int first) {
    return std::all_of(values.begin() + first, values.end(), [](float v) { return v == kUnset; });
}

// The plot works in float: a grid value beyond float range has no place in the window.
bool withinFloatRange(double value) {
    return std::fabs(value) <= FLT_MAX;
}

template <typename T>
bool sameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

void requireLoadedPattern(const PatternStore& store, bool sigUntouched) {
    require(store.ilast >= 2 && store.ilast < MAXBUF, "a loaded pattern holds 3 to 19001 points");
    require(finiteUpTo(store.tth, store.ilast), "the angles of a loaded pattern are finite");
    require(finiteUpTo(store.cts, store.ilast), "the intensities of a loaded pattern are finite");
    require(withinFloatRange(store.tthmin) && withinFloatRange(store.tthstep) &&
                withinFloatRange(store.tthmax),
            "the grid of a loaded pattern lies within float range");
    require(unsetFrom(store.tth, store.ilast + 1), "no angle past the pattern is set");
    require(unsetFrom(store.cts, store.ilast + 1), "no intensity past the pattern is set");
    if (sigUntouched) {
        require(unsetFrom(store.sig, 0), "a format without sig leaves sig unset");
    } else {
        require(finiteUpTo(store.sig, store.ilast), "the sig of a loaded pattern is finite");
        require(unsetFrom(store.sig, store.ilast + 1), "no sig past the pattern is set");
    }
}

void requireSameStore(const PatternStore& a, const PatternStore& b, const char* promise) {
    require(sameBytes(a.tth, b.tth) && sameBytes(a.cts, b.cts) && sameBytes(a.sig, b.sig) &&
                a.ilast == b.ilast && sameBytes(a.tthmin, b.tthmin) &&
                sameBytes(a.tthstep, b.tthstep) && sameBytes(a.tthmax, b.tthmax),
            promise);
}

void resetStore(PatternStore& store) {
    store.fillUnset();
    store.ilast = -1;
    store.tthmin = store.tthstep = store.tthmax = 0.0;
}
