#include "lsq/model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "lsq/profile.h"
#include "lsq_test_data.h"

namespace {

// A ROI of 21 points over 29.5..30.5 with a straight background 100 -> 200.
LsqState backgroundOnly() {
    LsqState lsq;
    lsq.fwhmMode = 'f';
    resetParameters(lsq);
    setRoi(lsq, 29.5f, 0.05f, 21);
    lsq.params[kLowBkgnd].b = 100.0;
    lsq.params[kHighBkgnd].b = 200.0;
    lsq.params[kWor].b = 0.05;
    return lsq;
}

double peakAt(const LsqState& lsq, int j, float x, double fwhm) {
    const ParamVector& p = lsq.params;
    const ProfileComponents c = profile_point(p[peakPosition(j)].b, fwhm / 2, x, p[kWor].b);
    const double eta = p[kEta].b;
    return p[peakIntensity(j)].b * (eta * c.L + (1 - eta) * c.G);
}

}  // namespace

TEST(ModelPoint, EtaIsPulledBackIntoRangeInTheVector) {
    LsqState lsq = backgroundOnly();
    lsq.params[kEta].b = -0.2;
    model_point(lsq, 0);
    EXPECT_EQ(lsq.params[kEta].b, 0.0);
    lsq.params[kEta].b = 1.4;
    model_point(lsq, 0);
    EXPECT_EQ(lsq.params[kEta].b, 1.0);
    lsq.params[kEta].b = 0.3;
    model_point(lsq, 0);
    EXPECT_EQ(lsq.params[kEta].b, 0.3);
}

TEST(ModelPoint, BackgroundRunsFromLowEndToHighEndInPointIndex) {
    LsqState lsq = backgroundOnly();
    EXPECT_EQ(model_point(lsq, 0), 100.0f);
    EXPECT_EQ(lsq.params[kLowBkgnd].deriv, 1.0);
    EXPECT_EQ(lsq.params[kHighBkgnd].deriv, 0.0);
    EXPECT_EQ(model_point(lsq, 20), 200.0f);
    EXPECT_EQ(lsq.params[kLowBkgnd].deriv, 0.0);
    EXPECT_EQ(lsq.params[kHighBkgnd].deriv, 1.0);
    EXPECT_EQ(model_point(lsq, 5), 125.0f);
    EXPECT_EQ(lsq.params[kLowBkgnd].deriv, 0.75);
    EXPECT_EQ(lsq.params[kHighBkgnd].deriv, 0.25);
    EXPECT_EQ(lsq.data[5].model, 125.0f);
}

TEST(ModelPoint, OnePointRoiHasTheLowBackgroundOnly) {
    LsqState lsq = backgroundOnly();
    setRoi(lsq, 30.0f, 0.05f, 1);
    EXPECT_EQ(model_point(lsq, 0), 100.0f);
    EXPECT_EQ(lsq.params[kLowBkgnd].deriv, 1.0);
    EXPECT_EQ(lsq.params[kHighBkgnd].deriv, 0.0);
}

TEST(ModelPoint, FirstAbsentPeakEndsThePeakList) {
    LsqState lsq = backgroundOnly();
    setPeak(lsq, 2, {30.0, 50.0, 0.1});
    setPeak(lsq, 3, {30.2, 50.0, 0.1});
    EXPECT_EQ(model_point(lsq, 10), 150.0f);  // peak 1 absent: background alone

    setPeak(lsq, 1, {29.8, 40.0, 0.1});
    lsq.params[peakPosition(2)].fit = 0;
    const float x = lsq.data[10].x;
    EXPECT_NEAR(model_point(lsq, 10), 150.0 + peakAt(lsq, 1, x, 0.1), 1e-4);
}

TEST(ModelPoint, AddsEveryPresentPeakToTheBackground) {
    LsqState lsq = backgroundOnly();
    setPeak(lsq, 1, {29.9, 40.0, 0.08});
    setPeak(lsq, 2, {30.0, 60.0, 0.12});
    setPeak(lsq, 3, {30.15, 25.0, 0.1});
    for (int i : {0, 7, 10, 13, 20}) {
        const float x = lsq.data[i].x;
        const double expected = 100.0 + 5.0 * i + peakAt(lsq, 1, x, 0.08) +
                                peakAt(lsq, 2, x, 0.12) + peakAt(lsq, 3, x, 0.1);
        EXPECT_NEAR(model_point(lsq, i), expected, 2e-6 * expected) << i;
    }
}

TEST(ModelPoint, CommonModeUsesTheCommonFwhmForEveryPeak) {
    LsqState common = backgroundOnly();
    common.fwhmMode = 'G';
    setPeak(common, 1, {29.9, 40.0, 0.3});
    setPeak(common, 2, {30.1, 60.0, 0.3});
    common.params[kCfwhm].b = 0.1;

    LsqState individual = backgroundOnly();
    setPeak(individual, 1, {29.9, 40.0, 0.1});
    setPeak(individual, 2, {30.1, 60.0, 0.1});
    for (int i = 0; i < common.ndata(); ++i) {
        EXPECT_EQ(model_point(common, i), model_point(individual, i)) << i;
    }
}

TEST(ModelPoint, SuppliesDerivativesOfEtaAndIntensities) {
    LsqState lsq = backgroundOnly();
    setPeak(lsq, 1, {29.95, 40.0, 0.1});
    setPeak(lsq, 2, {30.05, 70.0, 0.15});
    lsq.params[kEta].b = 0.4;
    const int i = 9;
    const float x = lsq.data[i].x;
    model_point(lsq, i);

    EXPECT_NEAR(lsq.params[peakIntensity(1)].deriv, peakAt(lsq, 1, x, 0.1) / 40.0, 1e-6);
    EXPECT_NEAR(lsq.params[peakIntensity(2)].deriv, peakAt(lsq, 2, x, 0.15) / 70.0, 1e-6);

    // The model is linear in eta, so a central difference gives its derivative.
    const double derivEta = lsq.params[kEta].deriv;
    lsq.params[kEta].b = 0.5;
    const double above = model_point(lsq, i);
    lsq.params[kEta].b = 0.3;
    const double below = model_point(lsq, i);
    EXPECT_NEAR(derivEta, (above - below) / 0.2, 1e-4 * std::fabs(derivEta));
}
