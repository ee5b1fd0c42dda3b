#pragma once
// The parameter vector the engine refines and the data points it is fitted to: a straight
// background plus up to nine asymmetric pseudo-Voigt peaks.

#include <array>
#include <cstdint>

inline constexpr int kNmax = 32;     // records in the parameter vector
inline constexpr int kMaxPeaks = 9;  // peaks the vector has room for

// Fixed places in the vector; peak j (1..9) follows at 3j+2 .. 3j+4.
inline constexpr int kCfwhm = 0;      // common FWHM, used only in common-FWHM mode
inline constexpr int kEta = 1;        // Lorentzian fraction, kept within 0..1
inline constexpr int kWor = 2;        // W/R, slit width / separation: the asymmetry
inline constexpr int kLowBkgnd = 3;   // background at the first ROI point
inline constexpr int kHighBkgnd = 4;  // background at the last ROI point
constexpr int peakPosition(int j) {
    return 3 * j + 2;
}
constexpr int peakIntensity(int j) {
    return 3 * j + 3;
}
constexpr int peakFwhm(int j) {
    return 3 * j + 4;
}

struct FitParam {
    double b = 0.0;         // current value
    std::uint8_t fit = 0;   // 1: refined, 0: held constant
    const char* name = "";  // printed name, from the name table
    std::uint8_t ad = 0;    // 1: the model supplies the derivative, 0: numerical
    double deriv = 0.0;     // d model / d b at the current data point
    double scale = 0.0;     // square root of the normal-matrix diagonal
    double b_old = 0.0;     // value before the current step
    double db = 0.0;        // current correction
    double grad = 0.0;      // sum of w^2 (y - model) deriv over the points
    bool atBound = false;   // refined, but held at its bound in the last step (eta at 0 or 1)
};

using ParamVector = std::array<FitParam, kNmax>;

inline int refinedCount(const ParamVector& params) {
    int count = 0;
    for (const FitParam& p : params) count += p.fit == 1 ? 1 : 0;
    return count;
}

// One ROI point; `model` is rewritten at every model evaluation.
struct DataPoint {
    float x = 0.0f;  // tth
    float y = 0.0f;  // observed counts
    float w = 0.0f;  // weight: 1/sig, or 0 for a point with negative counts
    float model = 0.0f;
};
