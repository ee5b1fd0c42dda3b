#include "lsq/kalpha2.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

}  // namespace

PeakShape companionShape(PeakShape line, const Kalpha2& kalpha2) {
    const double theta1 = line.P / 2 / kDegreesPerRadian;
    const double sinTheta2 = kalpha2.lambdaRatio * std::sin(theta1);
    if (!(std::fabs(sinTheta2) <= 1.0)) return {line.P, 0.0f};
    const double theta2 = std::asin(sinTheta2);
    return {static_cast<float>(2 * theta2 * kDegreesPerRadian),
            static_cast<float>(line.h * (std::tan(theta2) / std::tan(theta1)))};
}
