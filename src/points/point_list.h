#pragma once
// The 200-point list storage shared by the two sides: the background points on the
// background side, the stored peak positions and heights on the peak side.

#include <array>

#include "pattern/pattern_store.h"

inline constexpr int kPointListCapacity = 200;

struct PointList {
    std::array<float, kPointListCapacity> x;  // bgtth / pktth
    std::array<float, kPointListCapacity> y;  // bgcts / pkcts
    int last = -1;                            // bglast / pklast

    PointList() { empty(); }
    void empty() {
        x.fill(kUnset);
        y.fill(kUnset);
        last = -1;
    }
    bool full() const { return last >= kPointListCapacity - 1; }
};
