// A pattern listed from its highest angle down is picked on and fitted exactly as the same
// points listed upward (see fit_session.h): two peaks, at 20 and 25 degrees, fitted together
// in both, with the same clicks and answers.

#include <algorithm>
#include <sstream>

#include "fit_session.h"

namespace {

class FitDecreasingAngles : public FitSession {
  protected:
    // The session on one listing: the fit kept, then saved from the fitting mode.
    void fitBothPeaks(const std::string& dataFile, const std::string& fitFile) {
        restart();
        enterFitting(19.01f, 26.01f);  // page 2
        pick(19.5f);
        pick(25.5f);
        pick(20.0f);
        pick(25.0f);  // pages 3 to 6
        key('F');     // page 7: the evaluation
        acceptFit();  // page 8
        key('s');
        key('q');
        run("0\n" + fitFile + "\n", dataFile);
    }
    // The background ends marked on a page, from the lower angle up.
    std::vector<std::pair<float, float>> ends(int page) const {
        std::vector<std::pair<float, float>> found = markers(page, 8);
        std::sort(found.begin(), found.end());
        return found;
    }
};

// The lines of quartz.xy in reverse order.
std::string reversedLines(const std::string& text) {
    std::istringstream lines(text);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) all.push_back(line + "\n");
    std::string reversed;
    std::for_each(all.rbegin(), all.rend(), [&](const std::string& line) { reversed += line; });
    return reversed;
}

}  // namespace

TEST_F(FitDecreasingAngles, FitsLikeTheSamePointsListedUpward) {
    writeFile("down.xy", reversedLines(readFile("quartz.xy")));

    fitBothPeaks("quartz.xy", "up.fit");
    ASSERT_TRUE(isEvaluationPage(7));
    const auto upwardEnds = ends(6);
    const auto upwardPeaks = markers(8, 31);
    const std::vector<std::string> upwardWidths = pageTexts(8, 11);  // the FWHM labels
    ASSERT_EQ(upwardWidths.size(), 2u);

    fitBothPeaks("down.xy", "down.fit");
    EXPECT_FALSE(transcriptHas("Error in ASFIT"));
    ASSERT_TRUE(isEvaluationPage(7));
    EXPECT_EQ(ends(6), upwardEnds);          // the same points picked
    EXPECT_EQ(markers(8, 31), upwardPeaks);  // fitted positions and heights
    EXPECT_EQ(pageTexts(8, 11), upwardWidths);

    const std::string fitted = readFile("up.fit");
    EXPECT_EQ(std::count(fitted.begin(), fitted.end(), '\n'), 4);  // header, 2 peaks, end
    EXPECT_EQ(readFile("down.fit"), fitted);
    EXPECT_EQ(readFile("down.cdt"), readFile("quartz.cdt"));
}
