#include "lsq/profile.h"

#include <cmath>

#include "lsq/profile_constants.h"

float asymmetryLength(float P, double wor) {
    return 57.2957795 * wor * wor * std::cos((P - 10) / 57.2957795) /
           (std::sin(P / 57.2957795) * 2 * std::cos(0.174532925239284));
}

int simpsonIntervals(float A, float h) {
    int n = kMinSimpsonIntervals;
    const float wanted = kIntervalsPerHalfWidth * A / h;
    if (h > 0.0f && wanted > kMinSimpsonIntervals) {
        n = wanted < kMaxSimpsonIntervals ? static_cast<int>(wanted) : kMaxSimpsonIntervals;
    }
    return n % 2 == 1 ? n + 1 : n;
}

ProfileComponents symmetricProfile(float d, float h) {
    const float r = h / kSqrtLn2;
    const float L = (h / kPi) / (d * d + h * h);
    const float G = expD(-(d / r) * (d / r)) / (kSqrtPi * r);
    return {L, G};
}

// The convolution integrated by parts, so that the Simpson integrand carries sqrt(u)
// instead of the 1/sqrt(u) singularity at u = 0; the edge terms at u = A are written out.
// The sums of the terms with sqrt(u) take sqrtUWeight's weights.
ProfileComponents profile_point(float P, float h, float x, double wor) {
    if (!(h > 0.0f)) return {0.0f, 0.0f};
    const float d = P - x;  // positive on the low-angle side of the peak
    const float A = asymmetryLength(P, wor);
    if (!(A > 0.0f) || std::isinf(A)) return symmetricProfile(d, h);

    const float r = h / kSqrtLn2;
    const int n = simpsonIntervals(A, h);
    const float delta = A / n;
    float S0 = 0.0f;
    float S1 = 0.0f;
    float S2 = 0.0f;
    for (int i = 0; i <= n; ++i) {
        const float u = i * delta;
        const float c = simpsonWeight(i, n);
        const double w = sqrtUWeight(i, n, delta);
        const float t = d - u;
        const float q = t * t + h * h;
        S2 += w * t / (q * q);
        const float z = (t / r) * (t / r);
        const float e = z <= kSumCutoff ? expD(-z) : 0.0f;
        S1 += w * t * e;
        S0 += c * e;
    }

    const float dA = d - A;
    const float arcTerm = -(atanD(d / h) - atanD(dA / h)) / (kPi * A);
    const float edgeL = (2 * h / kPi) / (dA * dA + h * h);
    const float sumL = (-4 * h / (kPi * sqrtD(A))) * (delta / 3) * S2;
    const float L = arcTerm + edgeL + sumL;

    const float zA = (dA / r) * (dA / r);
    const float edgeG = zA < kEdgeCutoff ? (2 / (kSqrtPi * r)) * expD(-zA) : 0.0f;
    const float sumG1 = (-4 / (kSqrtPi * r * r * r * sqrtD(A))) * (delta / 3) * S1;
    const float sumG0 = (-1 / (kSqrtPi * r * A)) * (delta / 3) * S0;
    const float G = edgeG + sumG1 + sumG0;
    return {L, G};
}
