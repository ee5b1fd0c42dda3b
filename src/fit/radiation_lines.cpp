#include "fit/radiation_lines.h"

#include <cmath>
#include <limits>
#include <numbers>

std::optional<Kalpha2> companionOf(const std::optional<Radiation>& radiation) {
    if (!radiation || !radiation->lambda2) return std::nullopt;
    return Kalpha2{*radiation->lambda2 / radiation->lambda1, radiation->ratio};
}

Spacing spacingOf(const std::optional<Radiation>& radiation, double tth, double tthSe) {
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    const double theta = tth / 2 * std::numbers::pi / 180.0;
    if (!radiation || !(theta > 0.0 && theta < std::numbers::pi / 2)) return {kNone, kNone};
    const double d = radiation->lambda1 / (2 * std::sin(theta));
    return {d, d / std::tan(theta) * (tthSe / 2 * std::numbers::pi / 180.0)};
}
