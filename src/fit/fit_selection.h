#pragma once
// The points of one fit, as pattern indices in index order (ascending two-theta unless the
// pattern's angles decrease): entry 0 and entry `sellast` are the background ends, the entries
// between them the peaks. The fitting mode picks them with clicks; a series fit places them
// by the same index rule.

#include <array>

// The points picked in the fitting mode, in index order (ascending two-theta unless the
// pattern's angles decrease): entry 0 and entry `sellast` are the background ends, the
// entries between them the peaks.
inline constexpr int kMaxSelection = 11;
struct FitSelection {
    std::array<int, kMaxSelection> sel{};
    int sellast = -1;
    void clear() {
        sel.fill(0);
        sellast = -1;
    }
};
