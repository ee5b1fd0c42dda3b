#include "lsq/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979;

// The convolution of a unit-area component f with w(u) = 1/sqrt(A u) - 1/A, computed
// independently: with u = s^2 the integrand (2/sqrt(A) - 2s/A) f(d - s^2) is smooth, and
// a fine Simpson rule in double is accurate far beyond the profile's own.
template <class Component>
double convolved(Component f, double d, double A) {
    const int n = 20000;
    const double sqrtA = std::sqrt(A);
    double sum = 0.0;
    for (int i = 0; i <= n; ++i) {
        const double s = sqrtA * i / n;
        const double c = (i == 0 || i == n) ? 1 : (i % 2 == 1 ? 4 : 2);
        sum += c * (2 / sqrtA - 2 * s / A) * f(d - s * s);
    }
    return sum * (sqrtA / n) / 3;
}

double lorentzian(double t, double h) {
    return (h / kPi) / (t * t + h * h);
}

double gaussian(double t, double h) {
    const double r = h / std::sqrt(std::log(2.0));
    return std::exp(-(t / r) * (t / r)) / (std::sqrt(kPi) * r);
}

double peakShape(const ProfileComponents& c, double eta) {
    return eta * c.L + (1 - eta) * c.G;
}

}  // namespace

TEST(AsymmetryLength, FollowsCotangentOfPeakPlusTangentOfTenDegrees) {
    for (float P : {10.0f, 30.0f, 65.0f, 95.0f}) {
        for (double wor : {0.01, 0.05, 0.25}) {
            const double radians = P * kPi / 180;
            const double expected =
                180 / kPi * wor * wor * (1 / std::tan(radians) + std::tan(kPi / 18)) / 2;
            EXPECT_NEAR(asymmetryLength(P, wor), expected, 1e-6 * expected) << P << " " << wor;
        }
    }
}

TEST(AsymmetryLength, VanishesWithoutSlitAndTurnsNegativeFromHundredDegrees) {
    EXPECT_EQ(asymmetryLength(30.0f, 0.0), 0.0f);
    EXPECT_LE(asymmetryLength(100.0f, 0.05), 1e-9f);
    EXPECT_LT(asymmetryLength(120.0f, 0.05), 0.0f);
}

TEST(SimpsonIntervals, TenPerHalfWidthOfTailAtLeastThirtyAndEven) {
    EXPECT_EQ(simpsonIntervals(0.05f, 0.1f), 30);  // A < h
    EXPECT_EQ(simpsonIntervals(0.1f, 0.1f), 30);   // A = h
    EXPECT_EQ(simpsonIntervals(0.3f, 0.1f), 30);   // A = 3h
    EXPECT_EQ(simpsonIntervals(0.5f, 0.1f), 50);   // A = 5h
    EXPECT_EQ(simpsonIntervals(4.1f, 1.0f), 42);   // 41 is odd
    EXPECT_EQ(simpsonIntervals(6.0f, 1.0f), 60);
    EXPECT_EQ(simpsonIntervals(99.0f, 1.0f), 990);  // just under the cap
}

TEST(SimpsonIntervals, VanishingWidthIsCappedSoAFitCannotStall) {
    EXPECT_EQ(simpsonIntervals(1.0f, 1e-9f), kMaxSimpsonIntervals);
    EXPECT_EQ(simpsonIntervals(1.0f, 0.0f), kMinSimpsonIntervals);
    EXPECT_EQ(kMaxSimpsonIntervals % 2, 0);
}

TEST(SymmetricProfile, BothComponentsHaveHalfWidthHAtHalfMaximum) {
    const float h = 0.08f;
    const ProfileComponents top = symmetricProfile(0.0f, h);
    const ProfileComponents half = symmetricProfile(h, h);
    EXPECT_NEAR(top.L, 1 / (kPi * h), 1e-5 * top.L);
    EXPECT_NEAR(half.L / top.L, 0.5, 1e-6);
    EXPECT_NEAR(half.G / top.G, 0.5, 1e-4);  // 0.8326 stands for sqrt(ln 2)
    EXPECT_NEAR(top.G, gaussian(0, h), 1e-4 * top.G);
}

// The profile keeps unit area; on a grid 20 degrees either side the Lorentzian loses the
// area of its far tails, (pi - atan(20/h) - atan(20/h)) / pi. The Gaussian loses 3e-5
// to 1.7725 standing for sqrt(pi) and a little more to the exp cut-offs.
TEST(ProfilePoint, PseudoVoigtHasUnitAreaLessTheLorentzianTails) {
    const double halfRange = 20.0;
    for (float P : {30.0f, 70.0f}) {
        for (double wor : {0.02, 0.05, 0.1}) {
            for (float fwhm : {0.05f, 0.2f}) {
                const float h = fwhm / 2;
                const double dx = h / 20;
                double sumL = 0.0;
                double sumG = 0.0;
                for (double x = P - halfRange; x <= P + halfRange; x += dx) {
                    const ProfileComponents c = profile_point(P, h, static_cast<float>(x), wor);
                    sumL += c.L * dx;
                    sumG += c.G * dx;
                }
                const double lorentzKept = 2 * std::atan(halfRange / h) / kPi;
                for (double eta : {0.0, 0.3, 1.0}) {
                    EXPECT_NEAR(eta * sumL + (1 - eta) * sumG, eta * lorentzKept + (1 - eta),
                                1.5e-4)
                        << "P " << P << " W/R " << wor << " FWHM " << fwhm << " eta " << eta;
                }
            }
        }
    }
}

// Within 5e-4 of each component's maximum, also for narrow peaks at low angle whose tail is
// tens of half widths long: the quadrature's first panel follows the sqrt(u) kink (plain
// Simpson weights there miss by up to 6e-4; the Gaussian's exp cut-offs alone cost 3e-4).
TEST(ProfilePoint, AgreesWithTheConvolutionIntegratedDirectly) {
    struct Shape {
        float h;
        double wor;
    };
    // Tails from under one to 80 half widths: within the interval cap everywhere.
    const Shape shapes[] = {{0.0125f, 0.08}, {0.025f, 0.05}, {0.05f, 0.1}, {0.05f, 0.02}};
    for (const float P : {10.5f, 30.0f, 70.0f}) {
        for (const auto [h, wor] : shapes) {
            const double A = asymmetryLength(P, wor);
            auto L = [&](double d) {
                return convolved([&](double t) { return lorentzian(t, h); }, d, A);
            };
            auto G = [&](double d) {
                return convolved([&](double t) { return gaussian(t, h); }, d, A);
            };
            double peakL = 0.0, peakG = 0.0;
            for (double d = 0.0; d <= std::min(A, 4.0 * h); d += h / 8) {
                peakL = std::max(peakL, L(d));
                peakG = std::max(peakG, G(d));
            }
            const float dx = (A + 10 * h) / 60;
            for (float x = P - A - 5 * h; x <= P + 5 * h; x += dx) {
                const ProfileComponents c = profile_point(P, h, x, wor);
                const double d = P - x;
                EXPECT_NEAR(c.L, L(d), 5e-4 * peakL)
                    << P << " h " << h << " W/R " << wor << " x " << x;
                EXPECT_NEAR(c.G, G(d), 5e-4 * peakG)
                    << P << " h " << h << " W/R " << wor << " x " << x;
            }
        }
    }
}

TEST(ProfilePoint, FarOnTheHighAngleSideOnlyTheLorentzianTailRemains) {
    const float P = 30.0f;
    const float h = 0.05f;
    const double wor = 0.05;
    for (float distance : {0.5f, 1.0f, 3.0f}) {
        const ProfileComponents c = profile_point(P, h, P + distance, wor);
        EXPECT_EQ(c.G, 0.0f) << distance;
        // The tail is the Lorentzian seen from a little further: within A of x - P.
        const double A = asymmetryLength(P, wor);
        EXPECT_GT(c.L, lorentzian(distance + A, h)) << distance;
        EXPECT_LT(c.L, lorentzian(distance, h)) << distance;
    }
}

// The Gaussian's edge term at u = A is cut off from z_A = 9, the Simpson sums only from
// z = 10: between the two the profile lacks just the edge term 2 G0(d - A).
TEST(ProfilePoint, GaussianEdgeTermIsCutOffBeforeTheSums) {
    const float P = 30.0f;
    const float h = 0.05f;
    const double wor = 0.02;
    const double A = asymmetryLength(P, wor);
    const double r = h / 0.8326;
    for (double zA : {8.5, 9.5}) {
        const double d = A - r * std::sqrt(zA);  // all of d - u within z < 10
        const float x = static_cast<float>(P - d);
        const double exact = convolved([&](double t) { return gaussian(t, h); }, P - x, A);
        const double edge = 2 * gaussian(P - x - A, h);
        const double expected = zA < 9 ? exact : exact - edge;
        EXPECT_NEAR(profile_point(P, h, x, wor).G, expected, 0.05 * edge) << zA;
    }
}

TEST(ProfilePoint, ApproachesTheSymmetricProfileAsTheSlitCloses) {
    const float P = 40.0f;
    const float h = 0.1f;
    std::vector<double> worstDifference;
    for (double wor : {0.03, 0.01, 0.003}) {
        double worst = 0.0;
        for (float x = P - 0.5f; x <= P + 0.5f; x += 0.01f) {
            const ProfileComponents c = profile_point(P, h, x, wor);
            const ProfileComponents s = symmetricProfile(P - x, h);
            worst = std::max(worst, std::fabs(peakShape(c, 0.5) - peakShape(s, 0.5)));
        }
        worstDifference.push_back(worst / peakShape(symmetricProfile(0, h), 0.5));
    }
    EXPECT_LT(worstDifference[1], worstDifference[0]);
    EXPECT_LT(worstDifference[2], worstDifference[1]);
    EXPECT_LT(worstDifference[2], 5e-3);
}

TEST(ProfilePoint, WithoutTailLengthGivesTheSymmetricProfile) {
    const float h = 0.1f;
    for (float x : {39.7f, 40.0f, 40.05f, 41.0f}) {
        const ProfileComponents closed = profile_point(40.0f, h, x, 0.0);
        const ProfileComponents s = symmetricProfile(40.0f - x, h);
        EXPECT_EQ(closed.L, s.L);
        EXPECT_EQ(closed.G, s.G);
    }
    for (float P : {100.0f, 120.0f, 0.0f}) {
        const float x = P + 0.05f;
        const ProfileComponents c = profile_point(P, h, x, 0.05);
        const ProfileComponents s = symmetricProfile(P - x, h);
        EXPECT_EQ(c.L, s.L) << P;
        EXPECT_EQ(c.G, s.G) << P;
    }
}

TEST(ProfilePoint, PeakWithoutPositiveWidthIsAbsent) {
    for (float h : {0.0f, -0.05f}) {
        const ProfileComponents c = profile_point(30.0f, h, 30.0f, 0.05);
        EXPECT_EQ(c.L, 0.0f);
        EXPECT_EQ(c.G, 0.0f);
    }
}

TEST(ProfilePoint, VeryNarrowPeakWithLongTailStaysFinite) {
    const ProfileComponents c = profile_point(10.0f, 1e-7f, 9.9f, 0.25);
    EXPECT_TRUE(std::isfinite(c.L));
    EXPECT_TRUE(std::isfinite(c.G));
}
