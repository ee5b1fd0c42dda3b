#include "lsq/normal_equations.h"

#include <gtest/gtest.h>

#include <cmath>

#include "lsq/numeric_step.h"
#include "lsq_test_data.h"

namespace {

// Five points with a straight background 10 -> 30 (so 10, 15, 20, 25, 30) against
// observed counts 12, 14, 18, 24, 32 with weights 1, 1, 2, 1, 0.5.
LsqState fivePointBackground() {
    LsqState lsq;
    resetParameters(lsq);
    setRoi(lsq, 20.0f, 0.1f, 5);
    const float y[] = {12, 14, 18, 24, 32};
    const float w[] = {1, 1, 2, 1, 0.5f};
    for (int i = 0; i < 5; ++i) {
        lsq.data[i].y = y[i];
        lsq.data[i].w = w[i];
    }
    lsq.params[kLowBkgnd].b = 10.0;
    lsq.params[kHighBkgnd].b = 30.0;
    lsq.params[kLowBkgnd].fit = 1;
    lsq.params[kHighBkgnd].fit = 1;
    return lsq;
}

// A two-peak region with every kind of parameter refined.
LsqState twoPeaks() {
    LsqState lsq;
    lsq.fwhmMode = 'f';
    resetParameters(lsq);
    lsq.params[kWor].b = 0.05;
    lsq.params[kWor].fit = 1;
    lsq.params[kEta].fit = 1;
    lsq.params[kLowBkgnd].b = 20.0;
    lsq.params[kHighBkgnd].b = 30.0;
    lsq.params[kLowBkgnd].fit = 1;
    lsq.params[kHighBkgnd].fit = 1;
    setPeak(lsq, 1, {30.0, 50.0, 0.1});
    setPeak(lsq, 2, {30.25, 30.0, 0.12});
    setRoi(lsq, 29.6f, 0.02f, 50);
    generateObserved(lsq);
    // Fit from somewhat different values so that residuals are not zero.
    lsq.params[peakPosition(1)].b = 30.01;
    lsq.params[peakFwhm(2)].b = 0.11;
    lsq.params[kEta].b = 0.4;
    lsq.params[kWor].b = 0.055;
    return lsq;
}

}  // namespace

TEST(Chisq, SumsSquaredWeightedResidualsAndStoresTheModel) {
    LsqState lsq = fivePointBackground();
    // residuals model - y: -2, 1, 2, 1, -2; weighted: -2, 1, 4, 1, -1
    EXPECT_DOUBLE_EQ(chisq(lsq), 4 + 1 + 16 + 1 + 1);
    EXPECT_EQ(lsq.data[2].model, 20.0f);
}

TEST(NumericStep, FollowsTheSignAndSizeOfTheValue) {
    EXPECT_DOUBLE_EQ(numericStep(0.0), 0.00005);
    EXPECT_DOUBLE_EQ(numericStep(1e-11), 0.00005);
    EXPECT_DOUBLE_EQ(numericStep(-2.0), -0.0001);
    EXPECT_DOUBLE_EQ(numericStep(30.0), 0.0015);
}

TEST(LsqDerivatives, LinearBackgroundGivesExactNormalMatrixAndGradient) {
    LsqState lsq = fivePointBackground();
    StringConsole out;
    lsq_derivatives(lsq, out.console);
    // low share a = 1, .75, .5, .25, 0; high share 1 - a; w^2 = 1, 1, 4, 1, .25
    EXPECT_DOUBLE_EQ(lsq.pTp[3][3], 1 + 0.5625 + 4 * 0.25 + 0.0625);
    EXPECT_DOUBLE_EQ(lsq.pTp[4][4], 0.0625 + 4 * 0.25 + 0.5625 + 0.25);
    EXPECT_DOUBLE_EQ(lsq.pTp[3][4], 0.1875 + 4 * 0.25 + 0.1875);
    EXPECT_DOUBLE_EQ(lsq.pTp[4][3], lsq.pTp[3][4]);
    // y - model = 2, -1, -2, -1, 2; terms w^2 (y - model) share
    EXPECT_DOUBLE_EQ(lsq.params[kLowBkgnd].grad, 2 * 1 - 1 * 0.75 - 4 * 2 * 0.5 - 1 * 0.25);
    EXPECT_DOUBLE_EQ(lsq.params[kHighBkgnd].grad, -1 * 0.25 - 4 * 2 * 0.5 - 1 * 0.75 + 0.25 * 2);
    for (int k = 0; k < kNmax; ++k) {
        if (k == kLowBkgnd || k == kHighBkgnd) continue;
        EXPECT_EQ(lsq.pTp[k][k], 1.0) << k;
        EXPECT_EQ(lsq.pTp[k][3], 0.0) << k;
        EXPECT_EQ(lsq.pTp[4][k], 0.0) << k;
        EXPECT_EQ(lsq.params[k].grad, 0.0) << k;
    }
    EXPECT_EQ(out.text(), "!\b");
}

// grad_k = sum w^2 (y - model) dmodel/db_k is minus half the slope of chi-square, which a
// central difference of chisq gives independently of how the engine differentiates. The
// engine's own forward difference, a step of 0.00005 b on a float model, is good to about
// a percent (the step of a position at 30 degrees is 1.5 % of the FWHM); the analytic
// derivatives are far closer.
TEST(LsqDerivatives, GradientIsMinusHalfTheSlopeOfChisq) {
    LsqState lsq = twoPeaks();
    StringConsole out;
    lsq_derivatives(lsq, out.console);
    for (int k = 0; k < kNmax; ++k) {
        if (lsq.params[k].fit != 1) continue;
        LsqState probe = twoPeaks();
        const double b = probe.params[k].b;
        // The model is linear in the parameters it differentiates itself, so chi-square is
        // quadratic in them and a wide central difference is exact, clear of the float
        // model's rounding.
        const double delta = (lsq.params[k].ad == 1 ? 1e-2 : 1e-4) * std::fabs(b);
        probe.params[k].b = b + delta;
        const double above = chisq(probe);
        probe.params[k].b = b - delta;
        const double below = chisq(probe);
        const double slope = (above - below) / (2 * delta);
        const double tolerance = lsq.params[k].ad == 1 ? 1e-3 : 3e-2;
        EXPECT_NEAR(lsq.params[k].grad, -0.5 * slope, tolerance * std::fabs(slope))
            << lsq.params[k].name;
    }
}

TEST(LsqScale, ScalesToUnitDiagonal) {
    LsqState lsq;
    lsq.pTp[0][0] = 4.0;
    lsq.pTp[1][1] = 9.0;
    lsq.pTp[0][1] = lsq.pTp[1][0] = 3.0;
    lsq.pTp[2][2] = 0.0;  // a parameter the model does not depend on
    lsq.pTp[2][0] = lsq.pTp[0][2] = 1.0;
    for (int k = 3; k < kNmax; ++k) lsq.pTp[k][k] = 1.0;
    lsq_scale(lsq);
    EXPECT_EQ(lsq.params[0].scale, 2.0);
    EXPECT_EQ(lsq.params[1].scale, 3.0);
    EXPECT_EQ(lsq.params[2].scale, 0.0);
    EXPECT_EQ(lsq.scaled[0][0], 1.0);
    EXPECT_EQ(lsq.scaled[0][1], 0.5);
    EXPECT_EQ(lsq.scaled[1][0], 0.5);
    EXPECT_EQ(lsq.scaled[2][2], 1.0);
    EXPECT_EQ(lsq.scaled[0][2], 0.0);
    EXPECT_EQ(lsq.scaled[2][0], 0.0);
    EXPECT_EQ(lsq.scaled[5][5], 1.0);
    EXPECT_EQ(lsq.scaled[5][6], 0.0);
}
