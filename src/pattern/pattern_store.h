#pragma once
// The one diffraction pattern of a run: angles, intensities and the third column as the
// source gave it, with the scalars that describe the angle grid and the radiation.

#include <array>
#include <optional>

#include "pattern/radiation.h"

inline constexpr int MAXBUF = 19001;      // capacity in points; the last index is 19000
inline constexpr float kUnset = -500.0f;  // marks every entry beyond the data

struct PatternStore {
    std::array<float, MAXBUF> tth;
    std::array<float, MAXBUF> cts;
    std::array<float, MAXBUF> sig;
    int ilast = -1;  // index of the last point
    double tthmin = 0.0;
    double tthstep = 0.0;
    double tthmax = 0.0;
    std::optional<Radiation> radiation;  // what the file states; none when it states none

    PatternStore() { fillUnset(); }

    // Fills the three arrays with the unset value, as before every load attempt.
    void fillUnset() {
        tth.fill(kUnset);
        cts.fill(kUnset);
        sig.fill(kUnset);
    }
};
