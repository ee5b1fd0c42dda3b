#include "convert/strip_kalpha2.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <ostream>
#include <vector>

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// Two-theta of the Kα1 line whose companion lies at `tth`.
double sourceAngle(double tth, double lambdaRatio) {
    return 2 * std::asin(std::sin(tth / 2 * kRadiansPerDegree) / lambdaRatio) / kRadiansPerDegree;
}

}  // namespace

bool stripKalpha2(PatternStore& store, const Radiation& radiation) {
    if (!radiation.lambda2) return false;
    const double lambdaRatio = *radiation.lambda2 / radiation.lambda1;
    if (!(lambdaRatio > 1.0)) return false;  // a companion lies above its line
    const double ratio = radiation.ratio;
    const int n = store.ilast + 1;
    if (n <= 0) return true;
    // The points in ascending angle.
    std::vector<int> order(n);
    for (int k = 0; k < n; ++k) order[k] = store.tth[0] <= store.tth[n - 1] ? k : n - 1 - k;
    std::vector<double> tth(n), counts(n), variance(n);
    for (int k = 0; k < n; ++k) tth[k] = store.tth[order[k]];
    for (int k = 0; k < n; ++k) {
        const int i = order[k];
        const double source = sourceAngle(tth[k], lambdaRatio);
        const double sig2 = static_cast<double>(store.sig[i]) * store.sig[i];
        if (k == 0 || !(source >= tth[0])) {
            counts[k] = store.cts[i] / (1 + ratio);
            variance[k] = sig2 / ((1 + ratio) * (1 + ratio));
            continue;
        }
        // The stripped points around the source angle, which lies below this point.
        const int above =
            static_cast<int>(std::upper_bound(tth.begin(), tth.begin() + k, source) - tth.begin());
        const int low = std::max(0, above - 1), high = std::min(above, k - 1);
        const double w = high == low ? 1.0 : (tth[high] - source) / (tth[high] - tth[low]);
        counts[k] = store.cts[i] - ratio * (w * counts[low] + (1 - w) * counts[high]);
        variance[k] =
            sig2 + ratio * ratio * (w * w * variance[low] + (1 - w) * (1 - w) * variance[high]);
    }
    for (int k = 0; k < n; ++k) {
        store.cts[order[k]] = static_cast<float>(counts[k]);
        store.sig[order[k]] = static_cast<float>(std::sqrt(variance[k]));
    }
    return true;
}

DeepNegatives deepNegatives(const PatternStore& store) {
    DeepNegatives found;
    for (int i = 0; i <= store.ilast; ++i) {
        if (!(store.cts[i] < -3.0f * store.sig[i])) continue;
        const double tth = store.tth[i];
        found.lowest = found.points == 0 ? tth : std::min(found.lowest, tth);
        found.highest = found.points == 0 ? tth : std::max(found.highest, tth);
        ++found.points;
    }
    return found;
}

bool stripAndReport(PatternStore& store, const std::optional<Radiation>& radiation,
                    const std::string& name, std::ostream& err) {
    if (!radiation || !stripKalpha2(store, *radiation)) return false;
    err << name
        << ": Kalpha2 stripped by Rachinger's method (unsmoothed), sig propagated: the output "
           "is a Kalpha1 pattern\n";
    if (const DeepNegatives deep = deepNegatives(store); deep.points > 0) {
        char where[120];
        std::snprintf(where, sizeof where, "%d point(s) from %.4f to %.4f degrees", deep.points,
                      deep.lowest, deep.highest);
        err << name << ": warning: the stripped counts fall below -3 sigma at " << where
            << ": the strip is not clean there\n";
    }
    return true;
}
