#pragma once
// Convolution filters over a pattern: Gaussian smoothing and the smoothed second derivative.

#include <vector>

// The FWHM of a Gaussian, in units of its sigma: peak widths turn into filter widths by it.
inline constexpr double kFwhmPerSigma = 2.3548;

// Weights at offsets -L..L (index j + L); L = ceil(4 sigma).
using Kernel = std::vector<double>;

// A unit-sum Gaussian of width sigma points.
Kernel gaussianKernel(double sigma);

// The second derivative of a Gaussian of width sigma points, shifted to sum zero so that a
// constant or straight background gives no response.
Kernel secondDerivativeKernel(double sigma);

// sum_j kernel[j] * values[i + j] for every i. Beyond the ends the values continue by point
// reflection through the mean of the three end points, which keeps a sloping background
// straight: neither a peak nor a dip appears at an end.
std::vector<double> convolve(const std::vector<double>& values, const Kernel& kernel);

// sum_j kernel[j]^2 * sig[i + j]^2: the variance of convolve(cts) for independent counts of
// noise sig (mirrored beyond the ends).
std::vector<double> convolvedVariance(const std::vector<double>& sig, const Kernel& kernel);
