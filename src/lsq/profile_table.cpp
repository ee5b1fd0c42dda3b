#include "lsq/profile_table.h"

#include <cmath>

#include "lsq/profile.h"
#include "lsq/profile_constants.h"

namespace {

// Down to here a float product keeps its relative rounding, so 3.2 r is within a few
// float steps of its true value.
constexpr float kSmallestFarRadius = 1e-30f;

}  // namespace

void buildProfileTable(ProfileTable& table, float P, float h, double wor) {
    table.P = P;
    table.h = h;
    table.kind = ProfileKind::Absent;
    if (!(h > 0.0f)) return;
    const float A = asymmetryLength(P, wor);
    table.kind = ProfileKind::Symmetric;
    if (!(A > 0.0f) || std::isinf(A)) return;

    table.kind = ProfileKind::Asymmetric;
    table.A = A;
    const float r = h / kSqrtLn2;
    table.r = r;
    table.hh = h * h;
    table.farDistance = r >= kSmallestFarRadius ? r * 3.2f : INFINITY;
    const int n = simpsonIntervals(A, h);
    table.n = n;
    const float delta = A / n;
    table.u.resize(n + 1);
    table.c.resize(n + 1);
    table.cSqrtU.resize(n + 1);
    for (int i = 0; i <= n; ++i) {
        const float u = i * delta;
        const float c = simpsonWeight(i, n);
        table.u[i] = u;
        table.c[i] = c;
        table.cSqrtU[i] = sqrtUWeight(i, n, delta);
    }

    // The factors multiply in the order the point-wise expressions do, left to right.
    const float deltaThird = delta / 3;
    table.arcDivisor = kPi * A;
    table.edgeLFactor = 2 * h / kPi;
    table.sumLFactor = (-4 * h / (kPi * sqrtD(A))) * deltaThird;
    table.edgeGFactor = 2 / (kSqrtPi * r);
    table.sumG1Factor = (-4 / (kSqrtPi * r * r * r * sqrtD(A))) * deltaThird;
    table.sumG0Factor = (-1 / (kSqrtPi * r * A)) * deltaThird;
}
