// Fit runs from the fitting mode in whole-program sessions (see fit_session.h): the peak
// at 20 degrees picked with its ends at 19.5 and 20.5 and fitted with W/R 0, where the
// symmetric profile matches the Gaussian.

#include <cstdio>

#include "fit_session.h"

namespace {

using FitRuns = FitSession;

// The value of field `field` (0-based) of each data line of a *.fit file.
std::vector<double> fitColumn(const std::string& file, int field) {
    std::vector<double> values;
    std::istringstream lines(file);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        double value = 0.0;
        for (int k = 0; k <= field; ++k) fields >> value;
        values.push_back(value);
    }
    return values;
}

}  // namespace

TEST_F(FitRuns, AnAcceptedFitJoinsTheListAndClearsTheSelection) {
    enterFitting();
    pickAroundThePeak();  // pages 3 to 5
    key('F');             // page 6: the evaluation
    acceptFit();          // page 7: fitting again
    key('q');
    run("0\nrun.fit\n");
    ASSERT_TRUE(isEvaluationPage(6));
    EXPECT_FALSE(isEvaluationPage(7));
    EXPECT_TRUE(transcriptHas(kWorPrompt + kFilePrompt));
    const std::vector<std::pair<float, float>> stored = markers(7, 31);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_NEAR(stored[0].first, 20.0f, 1e-4);
    EXPECT_NEAR(stored[0].second, 1100.0f, 1.0f);
    EXPECT_EQ(markers(7, 28).size(), 1u);  // the FWHM arrows of this fit
    EXPECT_EQ(markers(7, 29).size(), 1u);
    EXPECT_TRUE(markers(7, 8).empty());
    EXPECT_EQ(statusLine(7), kFitHint);
    const std::vector<std::string> labels = pageTexts(7, 2);  // stored labels in colour 2
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].substr(0, 5), "20.00");
    const std::string file = readFile("run.fit");
    EXPECT_EQ(file.rfind(kFitHeader, 0), 0u);
    EXPECT_NEAR(fitColumn(file, 0).at(0), 20.0, 1e-4);
    EXPECT_NEAR(fitColumn(file, 2).at(0), 0.1, 1e-3);
}

TEST_F(FitRuns, OnlyTheFirstFitAsksUntilLowerVResetsWor) {
    enterFitting();
    pickAroundThePeak();
    key('F');
    acceptFit();
    pick(19.6f);
    pick(20.4f);
    pick(20.0f);
    key('F');
    acceptFit();
    key('v');
    pickAroundThePeak();
    key('G');
    acceptFit();
    key('q');
    run("0\nrun.fit\n0\nrun.fit\n");
    EXPECT_EQ(occurrences(kWorPrompt), 2);
    EXPECT_EQ(occurrences(kFilePrompt), 2);
    EXPECT_EQ(fitColumn(readFile("run.fit"), 0).size(), 3u);
    EXPECT_EQ(readFile("run.fit").find(kFitHeader, 1), std::string::npos);
}

// The rejected fit keeps the selection for another try at once, and with FitBlock[1] unset
// the arrows of the earlier fit are gone; the window is the one from before the fit.
TEST_F(FitRuns, ARejectedFitKeepsTheSelectionAndDropsTheEarlierArrows) {
    enterFitting();
    pickAroundThePeak();  // pages 3 to 5
    key('F');             // page 6
    acceptFit();          // page 7
    pick(19.6f);
    pick(20.4f);
    pick(20.1f);        // pages 8 to 10
    key('F');           // page 11
    click(19.0f, 500);  // page 12: scrolled left in the evaluation
    rejectFit();        // page 13
    key('F');           // page 14: again, without a prompt
    acceptFit();        // page 15
    key('q');
    run("0\nrun.fit\n");
    EXPECT_EQ(markers(10, 28).size(), 1u);
    EXPECT_EQ(windows()[12][0], 18.01f);
    EXPECT_EQ(markers(13, 8).size(), 2u);
    EXPECT_EQ(pageTexts(13, 2).size(), 2u);  // the stored position and the selected peak
    EXPECT_TRUE(markers(13, 28).empty());
    EXPECT_EQ(windows()[13], kFittingWindow);
    EXPECT_TRUE(isEvaluationPage(14));
    EXPECT_EQ(occurrences(kWorPrompt), 1);
    EXPECT_EQ(markers(15, 31).size(), 2u);
}

// After an accepted fit the mode goes on in the window the evaluation ended with.
TEST_F(FitRuns, AnAcceptedFitKeepsTheEvaluationsWindow) {
    enterFitting();
    pickAroundThePeak();
    key('F');           // page 6
    click(22.0f, 500);  // page 7: right by half a width
    click(21.0f, 500);  // page 8: accepted in that window
    key('q');
    run("0\nrun.fit\n");
    EXPECT_EQ(windows()[7], (std::vector<float>{20.01f, 22.01f, -110, 1430}));
    EXPECT_EQ(windows()[8], windows()[7]);
}

TEST_F(FitRuns, AFitFileThatCannotBeCreatedCancelsTheFitAndTheNextAsksAgain) {
    enterFitting();
    pickAroundThePeak();  // pages 3 to 5
    key('F');             // page 6: the fitting mode again
    key('G');             // page 7: the evaluation
    acceptFit();
    key('q');
    run("0\nno/such/dir/run.fit\n0\nrun.fit\n");
    EXPECT_TRUE(transcriptHas(kFilePrompt + "Can not open *.fit file to save fitting results.\n"
                                            "Error in ASFIT... returning = -3\n"));
    EXPECT_FALSE(transcriptHas("Bye bye."));
    EXPECT_FALSE(isEvaluationPage(6));
    EXPECT_EQ(markers(6, 8).size(), 2u);
    EXPECT_EQ(pageTexts(6, 2), (std::vector<std::string>{"20.000000"}));
    EXPECT_TRUE(isEvaluationPage(7));
    EXPECT_EQ(occurrences(kWorPrompt), 2);
    EXPECT_EQ(fitColumn(readFile("run.fit"), 0).size(), 1u);
}

// A fit that never reaches its evaluation leaves the arrows of the earlier fit as they
// were: the window and scalars handed to it are no widths.
TEST_F(FitRuns, ACancelledFitKeepsTheEarlierArrows) {
    enterFitting();
    pickAroundThePeak();  // pages 3 to 5
    key('F');             // page 6
    acceptFit();          // page 7
    key('v');             // page 8: the next fit asks again
    pick(19.6f);
    pick(20.4f);
    pick(20.1f);  // pages 9 to 11
    key('F');     // page 12: the *.fit file cannot be created
    key('G');     // page 13: the console input ends at the prompt
    key('q');
    run("0\nrun.fit\n0\nno/such/dir/run.fit\n");
    ASSERT_TRUE(transcriptHas("Error in ASFIT... returning = -3\n"));
    ASSERT_TRUE(transcriptHas("Error in ASFIT... returning = -4\n"));
    ASSERT_EQ(markers(7, 28).size(), 1u);
    for (int page : {12, 13}) {
        EXPECT_EQ(markers(page, 28), markers(7, 28)) << page;
        EXPECT_EQ(markers(page, 29), markers(7, 29)) << page;
        EXPECT_EQ(pageTexts(page, 11), pageTexts(7, 11)) << page;  // the FWHM label
    }
}

TEST_F(FitRuns, TheEndOfTheConsoleInputAtAPromptCancelsTheFit) {
    enterFitting();
    pickAroundThePeak();
    key('F');
    key('F');
    key('q');
    run("0\n");
    EXPECT_EQ(occurrences("Error in ASFIT... returning = -4\n"), 2);
    EXPECT_EQ(result.status, 0);
}

// Saving from the fitting mode (here by the key that removes the help) writes the .cdt
// file and starts the side afresh at full scale with an empty list.
TEST_F(FitRuns, TheKeyThatRemovesTheHelpSavesTheFittedPositions) {
    enterFitting();
    pickAroundThePeak();
    key('F');
    acceptFit();  // page 7
    key('h');
    key('s');  // page 8: the region choice
    key('q');
    run("0\nrun.fit\n");
    char expected[32];
    std::snprintf(expected, sizeof expected, "%8.4f\n", fitColumn(readFile("run.fit"), 0).at(0));
    EXPECT_EQ(readFile("quartz.cdt"), expected);
    EXPECT_EQ(expected, std::string(" 20.0000\n"));
    EXPECT_TRUE(pageHasText(8, kPeakSideLine));
    EXPECT_EQ(windows()[8], (std::vector<float>{7, 33, -110, 1210}));
    EXPECT_TRUE(markers(8, 31).empty());
}

// With two fits of one peak each, the arrows go with the latest fit's entry only.
TEST_F(FitRuns, StoredPositionsShowWithTheLatestFitsArrows) {
    enterFitting(19.01f, 26.01f);
    click(19.5f, 500);
    click(20.5f, 500);
    click(20.0f, 500);
    key('F');
    acceptFit();  // page 7
    click(24.5f, 500);
    click(25.5f, 500);
    click(25.0f, 500);
    key('F');
    acceptFit();  // page 12
    key('q');
    run("0\nrun.fit\n");
    ASSERT_EQ(markers(12, 31).size(), 2u);
    const std::vector<std::pair<float, float>> arrows = markers(12, 28);
    ASSERT_EQ(arrows.size(), 1u);
    EXPECT_NEAR(arrows[0].first, 25.05f, 2e-3);
    EXPECT_NEAR(arrows[0].second, (600.0f + 100.0f) / 2, 2.0f);  // half height
}
