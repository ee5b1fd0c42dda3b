#include "suggest/filters.h"

#include <algorithm>
#include <cmath>

namespace {

// Narrower than this a Gaussian is a single point to within rounding.
constexpr double kNarrowestSigma = 0.1;

int halfLength(double sigma) {
    return static_cast<int>(std::ceil(4.0 * sigma));
}

// The value at index i of the sequence extended beyond both ends.
class Extended {
  public:
    explicit Extended(const std::vector<double>& values) : values_(values) {
        const int n = static_cast<int>(values.size());
        const int k = std::min(n, 3);
        for (int i = 0; i < k; ++i) {
            first_ += values[i] / k;
            last_ += values[n - 1 - i] / k;
        }
    }
    double operator()(int i) const {
        const int n = static_cast<int>(values_.size());
        if (i < 0) return 2.0 * first_ - values_[std::min(-i, n - 1)];
        if (i >= n) return 2.0 * last_ - values_[std::max(2 * (n - 1) - i, 0)];
        return values_[i];
    }

  private:
    const std::vector<double>& values_;
    double first_ = 0.0;
    double last_ = 0.0;
};

int mirrored(int i, int n) {
    if (i < 0) i = std::min(-i, n - 1);
    if (i >= n) i = std::max(2 * (n - 1) - i, 0);
    return i;
}

}  // namespace

Kernel gaussianKernel(double sigma) {
    sigma = std::max(sigma, kNarrowestSigma);
    const int half = halfLength(sigma);
    Kernel kernel(2 * half + 1);
    double sum = 0.0;
    for (int j = -half; j <= half; ++j)
        sum += kernel[j + half] = std::exp(-0.5 * j * j / (sigma * sigma));
    for (double& weight : kernel) weight /= sum;
    return kernel;
}

Kernel secondDerivativeKernel(double sigma) {
    const int half = halfLength(sigma);
    const double s2 = sigma * sigma;
    Kernel kernel(2 * half + 1);
    double sum = 0.0;
    for (int j = -half; j <= half; ++j)
        sum += kernel[j + half] = (j * j / s2 - 1.0) / s2 * std::exp(-0.5 * j * j / s2);
    for (double& weight : kernel) weight -= sum / kernel.size();
    return kernel;
}

std::vector<double> convolve(const std::vector<double>& values, const Kernel& kernel) {
    const int n = static_cast<int>(values.size());
    const int half = static_cast<int>(kernel.size()) / 2;
    const Extended extended(values);
    std::vector<double> out(n, 0.0);
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        if (i >= half && i + half < n) {
            for (int j = -half; j <= half; ++j) sum += kernel[j + half] * values[i + j];
        } else {
            for (int j = -half; j <= half; ++j) sum += kernel[j + half] * extended(i + j);
        }
        out[i] = sum;
    }
    return out;
}

std::vector<double> convolvedVariance(const std::vector<double>& sig, const Kernel& kernel) {
    const int n = static_cast<int>(sig.size());
    const int half = static_cast<int>(kernel.size()) / 2;
    std::vector<double> out(n, 0.0);
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int j = -half; j <= half; ++j) {
            const double s = sig[mirrored(i + j, n)];
            sum += kernel[j + half] * kernel[j + half] * s * s;
        }
        out[i] = sum;
    }
    return out;
}
