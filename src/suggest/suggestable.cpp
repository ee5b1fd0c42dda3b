#include "suggest/suggestable.h"

#include <cmath>

#include "pattern/pattern_checks.h"

namespace {

bool allFinite(const PatternStore& store) {
    for (int i = 0; i <= store.ilast; ++i)
        if (!std::isfinite(store.tth[i]) || !std::isfinite(store.cts[i])) return false;
    return true;
}

}  // namespace

std::string unsuggestableReason(const PatternStore& store) {
    if (!allFinite(store)) return "holds angles or counts that are not numbers";
    return offGridReason(store);
}
