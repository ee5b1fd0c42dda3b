// The fit run on a pattern from 10 to 30 degrees in steps of 0.02 with one Gaussian peak
// (net height 1000, FWHM 0.1) at 20 degrees on a background of 100, fitted over 19.5 to
// 20.5 degrees (points 475 to 525) in the window 19..21 by -110..1430.

#include "peaks/fit_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "fit_patterns.h"
#include "lsq/fit_param.h"
#include "support/temp_dir.h"
#include "view/run_state_fixture.h"

namespace {

constexpr GaussianPeak kPeak{20.0, 1000.0, 0.1};
const std::vector<float> kStartWindow = {19, 21, -110, 1430};
const char* const kWorPrompt = "Enter wor = slit width / separation(negative # for fit): ";
const char* const kFilePrompt = "Enter filename for *.fit(will be newly created or appended): ";
const std::string kHeader = "#   tth      Iint       FWHM      eta      w/r     chi^2\n";
const std::string kSeparator = "#--------------------------------------------------------#\n";

class FitRunTest : public ::testing::Test, protected RunStateFixture {
  protected:
    TempDir dir;
    FitSelection selection;
    const ParamVector& params = state->lsq.params;
    FitBlock& block = state->peaks.fitBlock;

    FitRunTest() {
        fillPattern(state->pattern, 10.0, 0.02, 1001,
                    [](int i) { return gaussianCounts(10.0 + 0.02 * i, 100.0, {kPeak}); });
        zoomTo(19, 21, -110, 1430);
        state->view.maxcts = 1100.0f;
        select({475, 500, 525});
    }

    void select(std::vector<int> points) {
        selection.clear();
        for (int index : points) selection.sel[++selection.sellast] = index;
    }
    // As the fitting mode does before every fit.
    int fit(char fwhmMode = 'f') {
        const PlotWindow& win = state->view.win;
        block[0] = 0.02;
        block[1] = win.xmin;
        block[2] = win.xmax;
        block[3] = win.ymin;
        block[4] = win.ymax;
        block[5] = 10.0;
        block[6] = state->view.maxcts;
        return ASFIT(*state, selection, fwhmMode);
    }
    void accept() { gfx.push(20, 500, 'A'); }
    void reject() { gfx.push(20, 500, 'D'); }
    void key(char ch) { gfx.push(20, 500, ch); }

    int occurrences(const std::string& text) const {
        int count = 0;
        for (std::size_t at = transcript().find(text); at != std::string::npos;
             at = transcript().find(text, at + 1))
            ++count;
        return count;
    }
    std::vector<std::vector<float>> windows() const {
        std::vector<std::vector<float>> found;
        for (const GraphicsCall* env : gfx.named("env"))
            found.emplace_back(env->values.begin(), env->values.begin() + 4);
        return found;
    }
    // A line of the *.fit file as the block writes it.
    static std::string fitLine(double tth, double iint, double fwhm, double eta, double wor,
                               double chisq) {
        char line[512];
        std::snprintf(line, sizeof line, "%f %f %f %f %f %f\n", tth, iint, fwhm, eta, wor, chisq);
        return line;
    }
};

}  // namespace

// W/R 0 makes the profile a symmetric pseudo-Voigt, which matches the Gaussian at eta 0.
TEST_F(FitRunTest, AnAcceptedFitFindsThePeakAndAppendsItEverywhere) {
    consoleInput("0\nrun.fit\n");
    accept();
    ASSERT_EQ(fit(), 1);
    EXPECT_NE(transcript().find(std::string(kWorPrompt) + kFilePrompt), std::string::npos);

    const double position = params[peakPosition(1)].b;
    const double fwhm = params[peakFwhm(1)].b;
    EXPECT_NEAR(position, 20.0, 1e-4);
    EXPECT_NEAR(fwhm, 0.1, 1e-3);
    EXPECT_NEAR(params[peakIntensity(1)].b, gaussianArea(kPeak), 0.5);
    EXPECT_LT(params[kEta].b, 0.02);
    // eta converges on its bound, where it has no standard error.
    EXPECT_NE(transcript().find("Convergence by epsilon test"), std::string::npos);
    EXPECT_NE(transcript().find("  eta db =  0.00000e+00, b =  0.00000e+00, held at its bound\n"),
              std::string::npos);

    ASSERT_EQ(state->points.last, 0);
    EXPECT_FLOAT_EQ(state->points.x[0], static_cast<float>(position));
    EXPECT_NEAR(state->points.y[0], 1100.0, 1.0);  // the calculated top, background included
    EXPECT_NEAR(block[0], 100.0, 0.5);
    EXPECT_EQ(block[1], fwhm);
    EXPECT_EQ(block[2], kUnset);

    const double chisq = state->lsq.phi_new / state->lsq.nu;
    EXPECT_EQ(readFile("run.fit"),
              kHeader +
                  fitLine(position, params[peakIntensity(1)].b, fwhm, params[kEta].b, 0.0, chisq) +
                  kSeparator);
}

TEST_F(FitRunTest, ARejectedFitLeavesTheListAndTheFileAndUnsetsTheWidths) {
    state->points.last = 0;
    state->points.x[0] = 15.0f;
    block.fill(0.25);  // widths of an earlier fit
    consoleInput("0\nrun.fit\n");
    reject();
    ASSERT_EQ(fit(), 0);
    EXPECT_EQ(state->points.last, 0);
    EXPECT_EQ(state->points.x[1], kUnset);
    EXPECT_EQ(block[0], (params[kLowBkgnd].b + params[kHighBkgnd].b) / 2);
    EXPECT_EQ(block[1], kUnset);
    EXPECT_EQ(block[2], kUnset);
    EXPECT_EQ(block[3], -110.0);  // after sellast: as the caller filled it
    EXPECT_EQ(readFile("run.fit"), kHeader);
}

TEST_F(FitRunTest, ANegativeWorStartsWorAtItsMagnitudeAndRefinesIt) {
    consoleInput("-0.25\nrun.fit\n");
    accept();
    ASSERT_EQ(fit(), 1);
    EXPECT_NE(transcript().find("                 w/r  1    0   2.50000e-01\n"), std::string::npos);
    EXPECT_EQ(params[kWor].fit, 1);
    EXPECT_NE(params[kWor].b, 0.25);  // moved towards the symmetric peak's 0

    // The next fit asks nothing and holds W/R where this one left it.
    const double refined = params[kWor].b;
    accept();
    ASSERT_EQ(fit(), 1);
    EXPECT_EQ(params[kWor].fit, 0);
    EXPECT_EQ(params[kWor].b, refined);
}

TEST_F(FitRunTest, APositiveWorIsHeldAtItsValue) {
    consoleInput("0.25\nrun.fit\n");
    accept();
    ASSERT_EQ(fit(), 1);
    EXPECT_NE(transcript().find("                 w/r  0    0   2.50000e-01\n"), std::string::npos);
    EXPECT_EQ(params[kWor].fit, 0);
    EXPECT_EQ(params[kWor].b, 0.25);
    EXPECT_NE(readFile("run.fit").find(" 0.250000 "), std::string::npos);
}

// Two peaks of one width: in common mode every line of the block and every FitBlock entry
// carries the one refined FWHM.
TEST_F(FitRunTest, ACommonWidthFitWritesOneFwhmForEveryPeak) {
    fillPattern(state->pattern, 10.0, 0.02, 1001, [](int i) {
        return gaussianCounts(10.0 + 0.02 * i, 100.0, {{19.8, 600.0, 0.1}, {20.2, 900.0, 0.1}});
    });
    select({475, 490, 510, 525});
    consoleInput("0\nrun.fit\n");
    accept();
    ASSERT_EQ(fit('g'), 1);
    const double cfwhm = params[kCfwhm].b;
    EXPECT_NEAR(cfwhm, 0.1, 1e-3);
    EXPECT_EQ(block[1], cfwhm);
    EXPECT_EQ(block[2], cfwhm);
    EXPECT_EQ(block[3], kUnset);
    char width[64];
    std::snprintf(width, sizeof width, " %f ", cfwhm);
    const std::string file = readFile("run.fit");
    const std::size_t second = file.find('\n', kHeader.size()) + 1;
    EXPECT_NE(file.find(width, kHeader.size()), std::string::npos);
    EXPECT_NE(file.find(width, second), std::string::npos);
    EXPECT_NEAR(params[peakPosition(1)].b, 19.8, 1e-4);
    EXPECT_NEAR(params[peakPosition(2)].b, 20.2, 1e-4);
}

// A point with negative counts has weight 0: the fit comes out as on the clean pattern,
// where a weighted -1000 at 20.1 degrees would pull the peak far off.
TEST_F(FitRunTest, APointWithNegativeCountsTakesNoPartInTheFit) {
    consoleInput("0\nrun.fit\n");
    accept();
    accept();
    ASSERT_EQ(fit(), 1);
    const double cleanPosition = params[peakPosition(1)].b;
    const double cleanFwhm = params[peakFwhm(1)].b;
    state->pattern.cts[505] = -1000.0f;
    ASSERT_EQ(fit(), 1);
    EXPECT_EQ(state->lsq.data[30].w, 0.0f);
    EXPECT_NEAR(params[peakPosition(1)].b, cleanPosition, 1e-5);
    EXPECT_NEAR(params[peakFwhm(1)].b, cleanFwhm, 1e-5);
}

TEST_F(FitRunTest, TheClickThatRemovesTheHelpDecidesWhereverItIs) {
    consoleInput("0\nrun.fit\n");
    key('h');
    gfx.push(50, 5000, 'D');  // far outside the box
    ASSERT_EQ(fit(), 0);
    key('h');
    gfx.push(50, 5000, 'A');
    ASSERT_EQ(fit(), 1);
    EXPECT_TRUE(gfx.drewText("---- Fitting result evaluation mode ----"));
    EXPECT_TRUE(gfx.drewText("Right mouse click in the coordination box - I don't like it."));
}

TEST_F(FitRunTest, OtherKeysRemovingTheHelpOnlyRedrawThePage) {
    consoleInput("0\nrun.fit\n");
    key('h');
    key('q');
    accept();
    ASSERT_EQ(fit(), 1);
    EXPECT_EQ(gfx.count("env"), 2);
}

TEST_F(FitRunTest, BReturnsToTheStartingWindowAfterAZoomAndAScroll) {
    consoleInput("0\nrun.fit\n");
    gfx.push(19.5f, 200, 'w');  // first corner
    gfx.push(19.8f, 300, 'A');  // ignored while the rectangle is drawn
    gfx.push(20.5f, 800, 'W');  // second corner
    gfx.push(21.0f, 500, 'A');  // right of the box: half a width on
    gfx.push(20.5f, 500, 'b');
    accept();
    ASSERT_EQ(fit(), 1);
    EXPECT_EQ(windows(),
              (std::vector<std::vector<float>>{
                  kStartWindow, {19.5f, 20.5f, 200, 800}, {20, 21, 200, 800}, kStartWindow}));
    const std::vector<const GraphicsCall*> bands = gfx.named("band");
    EXPECT_EQ(bands[1]->values, (std::vector<float>{2, 0, 19.5f, 200}));
    EXPECT_EQ(bands[2]->values, (std::vector<float>{2, 0, 19.5f, 200}));
}

TEST_F(FitRunTest, AZoomOfNoWidthKeepsTheWindow) {
    consoleInput("0\nrun.fit\n");
    gfx.push(19.5f, 200, 'w');
    gfx.push(19.5f, 800, 'w');
    accept();
    ASSERT_EQ(fit(), 1);
    EXPECT_EQ(windows(), (std::vector<std::vector<float>>{kStartWindow, kStartWindow}));
}

// Scrolling stops at the pattern's ends: right only while xmin < 30 - 0.5 dx.
TEST_F(FitRunTest, ClicksOutsideTheBoxScrollWithinThePattern) {
    zoomTo(27, 29, -110, 1430);
    consoleInput("0\nrun.fit\n");
    gfx.push(29.5f, 500, 'A');  // 27 < 29: to 28..30
    gfx.push(30.5f, 500, 'A');  // 28 < 29: to 29..31
    gfx.push(31.5f, 500, 'A');  // 29 is not below 29: stays
    gfx.push(30, 500, 'A');
    ASSERT_EQ(fit(), 1);
    EXPECT_EQ(windows(), (std::vector<std::vector<float>>{{27, 29, -110, 1430},
                                                          {28, 30, -110, 1430},
                                                          {29, 31, -110, 1430},
                                                          {29, 31, -110, 1430}}));
}

TEST_F(FitRunTest, ARightClickOutsideTheBoxAutoscalesTo1Point3TimesTheTop) {
    zoomTo(19, 21, 0, 5000);
    consoleInput("0\nrun.fit\n");
    gfx.push(22, 500, 'D');
    accept();
    ASSERT_EQ(fit(), 1);
    ASSERT_EQ(windows().size(), 2u);
    EXPECT_FLOAT_EQ(windows()[1][2], -110.0f);
    EXPECT_FLOAT_EQ(windows()[1][3], 1430.0f);
}

TEST_F(FitRunTest, TooFewOrTooManyPointsReturnAtOnce) {
    select({475, 525});
    EXPECT_EQ(fit(), kFitTooFewPoints);
    selection.sellast = kMaxSelection;
    EXPECT_EQ(fit(), kFitTooManyPoints);
    EXPECT_EQ(transcript(), "");
    EXPECT_TRUE(gfx.calls.empty());
}

TEST_F(FitRunTest, ASelectionOutsideThePatternIsRefused) {
    select({990, 995, 1001});
    EXPECT_EQ(fit(), kFitOutsidePattern);
    select({525, 500, 475});
    EXPECT_EQ(fit(), kFitOutsidePattern);
    EXPECT_EQ(transcript(), "");
}

TEST_F(FitRunTest, UnreadableAnswersAreAskedAgain) {
    consoleInput("abc\n\nnan\n0\n\n   \nrun.fit more words\n");
    accept();
    ASSERT_EQ(fit(), 1);
    EXPECT_NE(transcript().find(std::string(kWorPrompt) + "? ? ? " + kFilePrompt + "? ? \n"),
              std::string::npos);
    EXPECT_TRUE(fileExists("run.fit"));
}

// The run goes on: nothing is fitted, and as W/R still asks, the next fit asks again.
TEST_F(FitRunTest, AFitFileThatCannotBeCreatedCancelsTheFit) {
    consoleInput("0.05\nno/such/dir/run.fit\n0.05\nrun.fit\n");
    EXPECT_EQ(fit(), kFitFileNotCreated);
    EXPECT_NE(transcript().find("Can not open *.fit file to save fitting results.\n"),
              std::string::npos);
    EXPECT_EQ(transcript().find("Bye bye."), std::string::npos);
    EXPECT_EQ(state->peaks.wor, kWorAsk);
    EXPECT_TRUE(gfx.calls.empty());
    accept();
    EXPECT_EQ(fit(), 1);
    EXPECT_EQ(occurrences(kWorPrompt), 2);
}

TEST_F(FitRunTest, TheEndOfTheConsoleInputAtAPromptCancelsTheFit) {
    consoleInput("0.05\n");
    EXPECT_EQ(fit(), kFitInputEnded);
    EXPECT_EQ(transcript(), std::string(kWorPrompt) + kFilePrompt + "\n");
    consoleInput("");
    EXPECT_EQ(fit(), kFitInputEnded);
    EXPECT_EQ(state->peaks.wor, kWorAsk);
    EXPECT_FALSE(fileExists("run.fit"));
    EXPECT_TRUE(gfx.calls.empty());
}

TEST_F(FitRunTest, AnExistingFitFileIsAppendedTo) {
    writeFile("run.fit", "earlier\n");
    consoleInput("0\nrun.fit\n");
    accept();
    ASSERT_EQ(fit(), 1);
    const std::string file = readFile("run.fit");
    EXPECT_EQ(file.rfind("earlier\n20.0", 0), 0u);
    EXPECT_EQ(file.find(kHeader), std::string::npos);
}

// A name that opens for reading but not for appending: a directory.
TEST_F(FitRunTest, AnAcceptedFitIsKeptInMemoryWhenTheFileCannotTakeIt) {
    std::filesystem::create_directory("results");
    consoleInput("0\nresults\n");
    accept();
    EXPECT_EQ(fit(), 1);
    EXPECT_NE(transcript().find("Can not open *.fit file to save fitting results!!!\n"),
              std::string::npos);
    EXPECT_EQ(state->points.last, 0);
    EXPECT_NEAR(block[1], 0.1, 1e-3);
}

TEST_F(FitRunTest, TheEngineRunsWithItsReportsAndThirtyIterationsAtMost) {
    consoleInput("0\nrun.fit\n");
    accept();
    ASSERT_EQ(fit(), 1);
    EXPECT_NE(transcript().find("mesg = 1, miter = 30\n"), std::string::npos);
    EXPECT_EQ(state->lsq.fwhmMode, 'n');  // only while the fit runs
}
