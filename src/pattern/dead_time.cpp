#include "pattern/dead_time.h"

#include "console/console.h"

namespace {

constexpr float kTau = 3.0e-6f;         // detector dead time, seconds
constexpr float kShortestTime = 0.01f;  // seconds

}  // namespace

float deadTimeFactor(float counts, float seconds, const std::string& line, Console& console) {
    if (seconds < kShortestTime) {
        console.print("Cannot make dead time correction:\n%s", line.c_str());
        return 1.0f;
    }
    const float factor = 1.0f - counts * kTau / seconds;
    if (factor <= 0.0f) {
        console.print("Cannot make dead time correction.  tau, cts, tim = %f, %f, %f\n", kTau,
                      counts, seconds);
        return 1.0f;
    }
    return factor;
}
