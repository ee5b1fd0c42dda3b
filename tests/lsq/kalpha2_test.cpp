// The Kα2 companion: where the Bragg law puts it, and a doublet in the model as its two
// lines would be as two peaks.

#include "lsq/kalpha2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "lsq/model.h"
#include "lsq_test_data.h"

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kCopperRatio = 1.544414 / 1.540593;
constexpr double kMolybdenumRatio = 0.713609 / 0.709319;

double thetaOf(double tth) {
    return tth / 2 * kRadiansPerDegree;
}

struct CompanionCase {
    float P;
    double lambdaRatio;
    bool placed;  // false: the asin argument is past 1, or there is no angle to scale from
};

}  // namespace

// The companion reflects from the same lattice spacing, lambda1 / sin theta1 = lambda2 /
// sin theta2, and widens as the dispersion d theta / d lambda = tan theta / lambda does.
TEST(Kalpha2, CompanionSitsOnTheSameSpacingWidenedByTheDispersion) {
    const std::vector<CompanionCase> cases = {
        {30.0f, kCopperRatio, true},
        {60.0f, kCopperRatio, true},
        {120.0f, kCopperRatio, true},
        {170.0f, kCopperRatio, true},
        {45.0f, kMolybdenumRatio, true},
        {30.0f, 1.0, true},
        {30.0f, 0.98, true},
        {179.0f, kCopperRatio, false},
        {172.0f, kMolybdenumRatio, false},
        {150.0f, 1.1, false},
        {0.0f, kCopperRatio, false},
        {NAN, kCopperRatio, false},
        {30.0f, NAN, false},
    };
    constexpr float h = 0.05f;
    for (const CompanionCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "2theta " << c.P << ", ratio " << c.lambdaRatio);
        const PeakShape companion = companionShape({c.P, h}, {c.lambdaRatio, 0.5});
        if (!c.placed) {
            EXPECT_FALSE(companion.h > 0.0f);  // no peak at all
            continue;
        }
        const double theta1 = thetaOf(c.P);
        const double theta2 = thetaOf(companion.P);
        EXPECT_NEAR(std::sin(theta2) / std::sin(theta1), c.lambdaRatio, 1e-6);
        EXPECT_NEAR(companion.h / h, std::tan(theta2) / std::tan(theta1), 1e-5);
        EXPECT_EQ(companion.P > c.P, c.lambdaRatio > 1.0);
    }
}

namespace {

struct DoubletCase {
    double P;
    double fwhm;
    double wor;
    Kalpha2 kalpha2;
};

// One peak of intensity 300 over a flat background of 20 at 600 points 0.01 apart from
// 0.5 below P, its FWHM refined.
LsqState onePeakRegion(const DoubletCase& c, std::optional<Kalpha2> kalpha2) {
    LsqState lsq;
    lsq.fwhmMode = 'f';
    lsq.kalpha2 = kalpha2;
    resetParameters(lsq);
    lsq.params[kEta].b = 0.4;
    lsq.params[kWor].b = c.wor;
    lsq.params[kLowBkgnd].b = lsq.params[kHighBkgnd].b = 20.0;
    setPeak(lsq, 1, {c.P, 300.0, c.fwhm});
    setRoi(lsq, static_cast<float>(c.P - 0.5), 0.01f, 600);
    return lsq;
}

}  // namespace

// A doublet's model is the model of two single lines: the Kα1 line and, where it has a
// place, the companion with its share of the intensity; the analytic intensity derivative
// carries both lines.
TEST(Kalpha2, DoubletModelIsItsTwoLines) {
    const std::vector<DoubletCase> cases = {
        {30.0, 0.04, 0.05, {kCopperRatio, 0.5}},      // split apart
        {60.0, 0.3, 0.05, {kCopperRatio, 0.5}},       // merged into one
        {99.9, 0.1, 0.05, {kCopperRatio, 0.5}},       // companion past 100: symmetric
        {45.0, 0.08, 0.0, {kMolybdenumRatio, 0.52}},  // closed slit
        {150.0, 0.2, 0.05, {1.1, 0.5}},               // the companion has no place
    };
    for (const DoubletCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "2theta " << c.P << ", FWHM " << c.fwhm);
        LsqState doublet = onePeakRegion(c, c.kalpha2);
        LsqState twoLines = onePeakRegion(c, std::nullopt);
        const PeakShape companion =
            companionShape({static_cast<float>(c.P), static_cast<float>(c.fwhm / 2)}, c.kalpha2);
        setPeak(twoLines, 2, {companion.P, 300.0 * c.kalpha2.intensityRatio, 2.0 * companion.h});
        LsqState kalpha1Only = onePeakRegion(c, std::nullopt);

        float largest = 0.0f;
        float companionPart = 0.0f;
        for (int i = 0; i < doublet.ndata(); ++i) {
            const float model = model_point(doublet, i);
            const float expected = model_point(twoLines, i);
            largest = std::max(largest, model);
            companionPart = std::max(companionPart, std::fabs(model - model_point(kalpha1Only, i)));
            EXPECT_NEAR(model, expected, 2e-5f * expected) << "at " << doublet.data[i].x;
            const FitParam& intensity = doublet.params[peakIntensity(1)];
            EXPECT_NEAR(intensity.deriv * intensity.b + 20.0, model, 2e-5f * model)
                << "at " << doublet.data[i].x;
        }
        EXPECT_GT(largest, 100.0f);  // the peak is in the region
        EXPECT_EQ(companionPart > 1.0f, companion.h > 0.0f);
    }
}
