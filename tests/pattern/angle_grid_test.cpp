// The one grid rule for angles read from a file: the documented step, the file's stated
// step or the step of the first and last angle, and the first point off the grid of an
// irregular pattern.

#include "pattern/angle_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "pattern/pattern_checks.h"
#include "pattern/reader_harness.h"
#include "pattern/readers.h"
#include "support/grid_samples.h"

namespace {

// Every point's index, (angle - tthmin) / tthstep rounded, is its own.
int firstIndexNotItsOwn(const PatternStore& store) {
    for (int i = 0; i <= store.ilast; ++i)
        if (std::lround((store.tth[i] - store.tthmin) / store.tthstep) != i) return i;
    return -1;
}

struct RegularCase {
    const char* what;
    double first, step, last;
    int decimals;
    double expectedStep, tolerance;
};

class XyGridTest : public ReaderTest, public ::testing::WithParamInterface<RegularCase> {};

TEST_P(XyGridTest, TakesTheStepThatHoldsEveryAngle) {
    const RegularCase& c = GetParam();
    const std::vector<std::string> angles = roundedAngles(c.first, c.step, c.last, c.decimals);
    ASSERT_TRUE(read(readXy, patternLines(angles, "100 10"))) << c.what;
    EXPECT_EQ(transcript, std::to_string(angles.size()) + " data points read.\n") << c.what;
    EXPECT_NEAR(store.tthstep, c.expectedStep, c.tolerance) << c.what;
    EXPECT_EQ(firstOffGrid(store), -1) << c.what;
    EXPECT_EQ(firstIndexNotItsOwn(store), -1) << c.what;
    EXPECT_EQ(store.tthmin, static_cast<double>(std::stof(angles.front()))) << c.what;
    EXPECT_EQ(store.tthmax, static_cast<double>(std::stof(angles.back()))) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XyGridTest,
    ::testing::Values(
        // The documented rule, the first spacing to 0.0001, wherever its grid holds.
        RegularCase{"0.02 up", 10.0, 0.02, 30.0, 3, 0.02, 1e-12},
        RegularCase{"0.05 up, 2 decimals", 5.0, 0.05, 80.0, 2, 0.05, 1e-12},
        RegularCase{"0.0125, short", 10.0, 0.0125, 10.1, 4, 0.0125, 1e-12},
        // Where it would put points more than a third of a step off, the first and last
        // angle give the step.
        RegularCase{"0.015592 to 3 decimals", 3.031, 0.015592, 100.0, 3, 0.015592, 2e-7},
        RegularCase{"0.015592 to 2 decimals", 3.0, 0.015592, 100.0, 2, 0.015592, 1e-6},
        RegularCase{"0.02 down", 30.0, -0.02, 28.02, 2, -0.02, 1e-6}));

class XyIrregularTest : public ReaderTest {};

TEST_F(XyIrregularTest, ASpacingThatChangesWarnsAndNamesItsFirstPoint) {
    const std::vector<std::string> angles = twoSteps();
    ASSERT_TRUE(read(readXy, patternLines(angles, "100 10")));
    EXPECT_EQ(transcript, "Please, check *.xy file...\n");
    EXPECT_NEAR(store.tthstep, 0.02, 1e-12);
    ASSERT_EQ(firstOffGrid(store), 1001);
    EXPECT_FLOAT_EQ(store.tth[1001], 30.03f);
}

// A jump in a finely printed grid is no rounding, even where a step fitted through both
// sides would hold every angle within a third of a step: the point after it is named.
TEST_F(XyIrregularTest, AJumpInTheGridIsNamedWhateverStepSpreadsIt) {
    const struct {
        double jump;  // degrees added from point 501 on, of a 0.02 step
        int named;    // firstOffGrid, -1 for a grid that holds
    } cases[] = {{0.012, 500}, {0.006, 500}, {-0.008, 500}, {0.002, -1}, {0.0, -1}};
    for (const auto& c : cases) {
        std::vector<std::string> angles;
        char text[32];
        for (int i = 0; i < 1000; ++i) {
            std::snprintf(text, sizeof text, "%.6f", 20.0 + 0.02 * i + (i >= 500 ? c.jump : 0.0));
            angles.push_back(text);
        }
        transcript.clear();
        store.fillUnset();
        ASSERT_TRUE(read(readXy, patternLines(angles, "100 10"))) << c.jump;
        EXPECT_EQ(firstOffGrid(store), c.named) << c.jump;
        EXPECT_EQ(transcript.find("Please, check") != std::string::npos, c.named >= 0) << c.jump;
    }
}

// firstOffGrid: a third of a step either side of the grid angle is the file's rounding.
struct OffGridCase {
    std::vector<float> tth;
    double tthmin, tthstep;
    int expected;
};

TEST(FirstOffGrid, FindsThePointBeyondAThirdOfAStep) {
    const std::vector<OffGridCase> cases = {
        {{10.0f, 10.02f, 10.04f}, 10.0, 0.02, -1},
        {{10.0f, 10.026f, 10.04f}, 10.0, 0.02, -1},        // 0.006 off: within 0.00667
        {{10.0f, 10.0275f, 10.04f}, 10.0, 0.02, 1},        // 0.0075 off
        {{10.0f, 10.0135f, 10.04f}, 10.0, 0.02, -1},       // 0.0065 below: within
        {{10.0f, 10.02f, 10.047f}, 10.0, 0.02, 2},         // the last point
        {{10.008f, 10.02f, 10.04f}, 10.0, 0.02, 0},        // the first point
        {{30.0f, 29.98f, 29.975f}, 30.0, -0.02, 2},        // down
        {{30.0f, 29.985f, 29.96f}, 30.0, -0.02, -1},       // down, 0.005 off
        {{10.0f, 10.02f, 10.04f}, 10.0, std::nan(""), 0},  // a step that is not a number
    };
    for (const OffGridCase& c : cases) {
        PatternStore store;
        store.ilast = static_cast<int>(c.tth.size()) - 1;
        for (std::size_t i = 0; i < c.tth.size(); ++i) store.tth[i] = c.tth[i];
        store.tthmin = c.tthmin;
        store.tthstep = c.tthstep;
        EXPECT_EQ(firstOffGrid(store), c.expected) << c.tth[1] << " " << c.tth[2];
    }
}

// setAngleGrid tries the preferred step, the step of the first and last angle, the
// least-squares step through the first angle, and ends with the first spacing.
TEST(SetAngleGrid, TakesTheFirstStepThatHolds) {
    const struct {
        const char* what;
        std::vector<float> tth;
        std::optional<double> preferred;
        double expected;
        bool holds;
    } cases[] = {
        {"preferred", {10.0f, 10.016f, 10.031f, 10.047f}, 0.015592, 0.015592, true},
        {"none preferred: first and last",
         {10.0f, 10.016f, 10.031f, 10.047f},
         std::nullopt,
         0.047 / 3,
         true},
        {"a preferred step that fails gives way",
         {10.0f, 10.016f, 10.031f, 10.047f},
         0.03,
         0.047 / 3,
         true},
        // The last angle rounded up tilts the grid of the first and last angle off 0.7.
        {"least squares", {0.0f, 0.7f, 2.0f, 3.0f, 4.3f}, std::nullopt, 30.9 / 30, true},
        {"none: the first spacing", {0.0f, 1.0f, 2.0f, 3.0f, 6.0f}, 2.0, 1.0, false},
        {"a stated step that is not a number",
         {0.0f, 1.0f, 2.0f, 3.0f, 4.0f},
         std::nan(""),
         1.0,
         true},
    };
    for (const auto& c : cases) {
        PatternStore store;
        store.ilast = static_cast<int>(c.tth.size()) - 1;
        for (std::size_t i = 0; i < c.tth.size(); ++i) store.tth[i] = c.tth[i];
        EXPECT_EQ(setAngleGrid(store, c.preferred), c.holds) << c.what;
        EXPECT_NEAR(store.tthstep, c.expected, 1e-6) << c.what;
        EXPECT_EQ(store.tthmin, static_cast<double>(c.tth.front())) << c.what;
        EXPECT_EQ(store.tthmax, static_cast<double>(c.tth.back())) << c.what;
        EXPECT_EQ(firstOffGrid(store), c.holds ? -1 : 4) << c.what;
    }
}

}  // namespace
