#include "suggest/snip_background.h"

#include <algorithm>
#include <cmath>

#include "suggest/filters.h"

namespace {

double lls(double y) {
    return std::log(std::log(std::sqrt(std::max(y, 0.0) + 1.0) + 1.0) + 1.0);
}

double llsInverse(double v) {
    const double root = std::exp(std::exp(v) - 1.0) - 1.0;
    return root * root - 1.0;
}

// Beyond each end the clipping sees the pattern continued by point reflection through the
// end, so that a background that falls steeply at low angles keeps its slope there instead
// of being clipped down towards an end it cannot see past. Counts above the end's are
// continued level instead: a peak near the end would turn into a deep dip beyond it and
// clip the whole background down.
std::vector<double> padded(const std::vector<double>& v, int window) {
    const int n = static_cast<int>(v.size());
    std::vector<double> out;
    out.reserve(n + 2 * window);
    for (int j = window; j >= 1; --j)
        out.push_back(2.0 * v.front() - std::min(v[std::min(j, n - 1)], v.front()));
    out.insert(out.end(), v.begin(), v.end());
    for (int j = 1; j <= window; ++j)
        out.push_back(2.0 * v.back() - std::min(v[std::max(n - 1 - j, 0)], v.back()));
    return out;
}

}  // namespace

int snipWindow(double fwhmPoints) {
    return std::max(2, static_cast<int>(std::ceil(3.0 * fwhmPoints)));
}

std::vector<double> snipBackground(const PatternSamples& samples, double fwhmPoints, int window) {
    const int n = samples.size();
    std::vector<double> v = convolve(samples.cts, gaussianKernel(fwhmPoints / kFwhmPerSigma));
    for (double& value : v) value = lls(value);
    v = padded(v, window);
    std::vector<double> next = v;
    const int total = static_cast<int>(v.size());
    for (int p = window; p >= 1; --p) {
        for (int i = p; i < total - p; ++i) next[i] = std::min(v[i], 0.5 * (v[i - p] + v[i + p]));
        v.swap(next);
        std::copy(v.begin(), v.end(), next.begin());
    }
    std::vector<double> bg(n);
    for (int i = 0; i < n; ++i) bg[i] = llsInverse(v[i + window]);
    return bg;
}
