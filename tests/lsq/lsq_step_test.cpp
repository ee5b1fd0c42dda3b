#include "lsq/lsq_step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "lsq/normal_equations.h"
#include "lsq_test_data.h"

namespace {

// Five points on the straight background 10 -> 30, both ends refined, fitted from
// (low, high).
LsqState straightLineFrom(double low, double high) {
    LsqState lsq;
    resetParameters(lsq);
    setRoi(lsq, 20.0f, 0.1f, 5);
    for (int i = 0; i < 5; ++i) lsq.data[i].y = 10.0f + 5.0f * i;
    lsq.params[kLowBkgnd].fit = 1;
    lsq.params[kHighBkgnd].fit = 1;
    lsq.params[kLowBkgnd].b = low;
    lsq.params[kHighBkgnd].b = high;
    return lsq;
}

// The state at the start of a step: normal matrix, scaling, accepted chi-square, b_old.
void prepareStep(LsqState& lsq, Console& console) {
    lsq_derivatives(lsq, console);
    lsq_scale(lsq);
    lsq.phi = chisq(lsq);
    for (FitParam& p : lsq.params) p.b_old = p.b;
}

void setCorrections(LsqState& lsq, double dbLow, double dbHigh) {
    lsq.params[kLowBkgnd].db = dbLow;
    lsq.params[kHighBkgnd].db = dbHigh;
}

}  // namespace

// The scaled damped system (S + lambda I) x = g/s with db = x/s is, unscaled,
// (pTp + lambda diag(pTp)) db = grad.
TEST(Solve, CorrectionsSolveTheDampedNormalEquations) {
    LsqState lsq = straightLineFrom(12.0, 27.0);
    StringConsole out;
    prepareStep(lsq, out.console);
    lsq.lambda = 0.01f;
    ASSERT_TRUE(solve(lsq, out.console));
    const ParamVector& p = lsq.params;
    for (int i : {kLowBkgnd, kHighBkgnd}) {
        double lhs = lsq.lambda * lsq.pTp[i][i] * p[i].db;
        for (int j : {kLowBkgnd, kHighBkgnd}) lhs += lsq.pTp[i][j] * p[j].db;
        EXPECT_NEAR(lhs, p[i].grad, 1e-6 * std::fabs(p[i].grad)) << i;
    }
    for (int k = 0; k < kNmax; ++k) {
        if (k != kLowBkgnd && k != kHighBkgnd) {
            EXPECT_EQ(p[k].db, 0.0) << k;
        }
    }
    EXPECT_EQ(out.text(), "!\b");
}

TEST(Solve, RepeatedSolveDampsAFreshCopyOfTheScaledMatrix) {
    StringConsole out;
    LsqState twice = straightLineFrom(12.0, 27.0);
    prepareStep(twice, out.console);
    twice.lambda = 0.01f;
    solve(twice, out.console);
    twice.lambda = 0.1f;
    solve(twice, out.console);

    LsqState once = straightLineFrom(12.0, 27.0);
    prepareStep(once, out.console);
    once.lambda = 0.1f;
    solve(once, out.console);
    EXPECT_EQ(twice.params[kLowBkgnd].db, once.params[kLowBkgnd].db);
    EXPECT_EQ(twice.params[kHighBkgnd].db, once.params[kHighBkgnd].db);
}

// A scaled matrix made so that lambda cancels a diagonal element: the damped matrix has
// a zero there, which the inversion meets last.
TEST(Solve, SingularAttemptRaisesLambdaTenfoldAndTriesAgain) {
    LsqState lsq = straightLineFrom(12.0, 27.0);
    StringConsole out;
    prepareStep(lsq, out.console);
    lsq.lambda = 0.01f;
    lsq.scaled[kHighBkgnd][kHighBkgnd] = -static_cast<double>(0.01f);
    lsq.scaled[kHighBkgnd][kLowBkgnd] = lsq.scaled[kLowBkgnd][kHighBkgnd] = 0.0;
    EXPECT_TRUE(solve(lsq, out.console));
    EXPECT_EQ(lsq.lambda, 0.01f * 10);
    EXPECT_EQ(out.text(),
              "!\bsingular matrix i= 31 j= 31 pivot=   0.00000000e+00\n"
              "singluar pTp.  Increasing lambda to 0.100000 in solve()\n");
    EXPECT_NE(lsq.params[kLowBkgnd].db, 0.0);
}

TEST(Solve, FiveSingularAttemptsLeaveNoCorrection) {
    LsqState lsq = straightLineFrom(12.0, 27.0);
    StringConsole out;
    prepareStep(lsq, out.console);
    lsq.params[kLowBkgnd].db = 3.0;  // left over from an earlier step
    lsq.scaled = LsqMatrix{};
    float lambda = 0.01f;
    std::string expected = "!\b";
    for (int k = 0; k < 5; ++k) {
        lsq.scaled[k][k] = -static_cast<double>(lambda);
        lambda *= 10;
        char line[80];
        std::snprintf(line, sizeof line, "singluar pTp.  Increasing lambda to %f in solve()\n",
                      lambda);
        expected += std::string("singular matrix i= 31 j= 31 pivot=   0.00000000e+00\n") + line;
    }
    for (int k = 5; k < kNmax; ++k) lsq.scaled[k][k] = 1.0;
    lsq.lambda = 0.01f;
    EXPECT_FALSE(solve(lsq, out.console));
    EXPECT_EQ(lsq.lambda, lambda);
    EXPECT_EQ(out.text(), expected);
    for (const FitParam& p : lsq.params) EXPECT_EQ(p.db, 0.0);
}

TEST(Solve, CorrectionsThatAreNotNumbersBecomeZero) {
    LsqState lsq = straightLineFrom(12.0, 27.0);
    lsq.data[2].w = INFINITY;  // a point with sig = 0
    StringConsole out;
    prepareStep(lsq, out.console);
    solve(lsq, out.console);
    for (const FitParam& p : lsq.params) EXPECT_EQ(p.db, 0.0);
}

TEST(EpsTest, PassesWhenEveryRefinedCorrectionIsWithinAThousandthOfItsValue) {
    LsqState lsq = straightLineFrom(10.0, 30.0);
    setCorrections(lsq, 0.010001, 0.03);
    EXPECT_TRUE(eps_test(lsq));  // 0.001 * (10 + 0.001) = 0.010001
    setCorrections(lsq, 0.0101, 0.03);
    EXPECT_FALSE(eps_test(lsq));
    setCorrections(lsq, 0.01, 0.0302);
    EXPECT_FALSE(eps_test(lsq));
    lsq.params[kHighBkgnd].fit = 0;  // held parameters do not count
    EXPECT_TRUE(eps_test(lsq));
    lsq.params[kLowBkgnd].b = 0.0;  // near zero the 0.001 floor counts: 1e-6
    setCorrections(lsq, 1.1e-6, 0.0);
    EXPECT_FALSE(eps_test(lsq));
    setCorrections(lsq, 0.9e-6, 0.0);
    EXPECT_TRUE(eps_test(lsq));
}

TEST(LsqStep, ImprovementWithSmallAngleIsAccepted) {
    LsqState lsq = straightLineFrom(12.0, 28.0);
    StringConsole out;
    prepareStep(lsq, out.console);
    setCorrections(lsq, -1.5, 1.5);  // along the gradient, towards 10 -> 30
    EXPECT_EQ(lsq_step(lsq, out.console), StepResult::Improved);
    EXPECT_EQ(lsq.params[kLowBkgnd].b, 10.5);
    EXPECT_EQ(lsq.params[kLowBkgnd].b_old, 10.5);
    EXPECT_LT(lsq.phi_new, lsq.phi);
    EXPECT_NEAR(lsq.gamma, 0.0f, 1e-3f);
    // xl = |db scale|: both scales are sqrt(1.875)
    EXPECT_NEAR(lsq.xl, std::sqrt(2 * 1.5 * 1.5 * 1.875), 1e-6);
}

TEST(LsqStep, ImprovementAgainstTheGradientWithLargeLambdaEndsTheFit) {
    LsqState lsq = straightLineFrom(12.0, 28.0);
    StringConsole out;
    prepareStep(lsq, out.console);
    setCorrections(lsq, -2.0, 2.0);
    lsq.params[kLowBkgnd].grad = 1.0;  // pretend the gradient points the other way
    lsq.params[kHighBkgnd].grad = -1.0;
    lsq.lambda = 1.0f;
    EXPECT_EQ(lsq_step(lsq, out.console), StepResult::GammaLambda);
    EXPECT_NEAR(lsq.gamma, 180.0f, 1e-3f);
    lsq.lambda = 0.5f;
    for (FitParam& p : lsq.params) p.b = p.b_old = 0.0;
    lsq.params[kLowBkgnd].b_old = 12.0;
    lsq.params[kHighBkgnd].b_old = 28.0;
    EXPECT_EQ(lsq_step(lsq, out.console), StepResult::Improved);
}

TEST(LsqStep, WorseStepAtLargeAngleRaisesLambdaAndSolvesAgain) {
    LsqState lsq = straightLineFrom(12.0, 28.0);
    StringConsole out;
    prepareStep(lsq, out.console);
    setCorrections(lsq, 3.0, 3.0);  // at right angles to the gradient (-1, 1)
    EXPECT_EQ(lsq_step(lsq, out.console), StepResult::Improved);
    EXPECT_EQ(lsq.lambda, 0.01f * 10);
    EXPECT_EQ(out.text(), "!\bphi increases, gamma = 90 > GAMCR; increasing lambda\n");
    EXPECT_LT(lsq.params[kLowBkgnd].b, 12.0);
    EXPECT_GT(lsq.params[kHighBkgnd].b, 28.0);
}

TEST(LsqStep, OvershootAtSmallAngleIsHalvedUntilChisqFalls) {
    LsqState lsq = straightLineFrom(12.0, 28.0);
    StringConsole out;
    prepareStep(lsq, out.console);
    setCorrections(lsq, -6.0, 6.0);  // lands at 6 -> 34, twice as far off
    EXPECT_EQ(lsq_step(lsq, out.console), StepResult::Halved);
    EXPECT_EQ(lsq.params[kLowBkgnd].b, 9.0);
    EXPECT_EQ(lsq.params[kHighBkgnd].b, 31.0);
    EXPECT_EQ(lsq.params[kLowBkgnd].b_old, 9.0);
    EXPECT_EQ(lsq.params[kLowBkgnd].db, -3.0);
    EXPECT_DOUBLE_EQ(lsq.phi_new, lsq.phi / 4);
    EXPECT_EQ(out.text(), "!\bphi increases, gamma < GAMCR.  Halve correction vecor\n");
}

TEST(LsqStep, HalvingAtTheMinimumEndsByTheEpsilonTest) {
    LsqState lsq = straightLineFrom(10.0, 30.0);
    StringConsole out;
    prepareStep(lsq, out.console);
    setCorrections(lsq, 1.0, -1.0);
    // 1/128 is the first half within 0.001 * (10 + 0.001) of "low bkgnd".
    EXPECT_EQ(lsq_step(lsq, out.console), StepResult::GammaEpsilon);
    EXPECT_EQ(countOf(out.text(), "phi increases, gamma < GAMCR.  Halve correction vecor\n"), 7);
    EXPECT_EQ(lsq.params[kLowBkgnd].db, 1.0 / 128);
    EXPECT_EQ(lsq.params[kLowBkgnd].b, 10.0 + 1.0 / 128);
}
