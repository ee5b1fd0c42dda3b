#pragma once
// Whole-program sessions in the fitting mode. The pattern, quartz.xy, runs from 10 to 30
// degrees in steps of 0.02 (point i at 10 + 0.02 i, sig 1) with Gaussian peaks of FWHM 0.1
// on a background of 100: net height 1000 at 20 degrees and 500 at 25 degrees. Its full
// scale is 7 to 33 by -110 to 1210.
//
// enterFitting() goes from the background side's first page (page 0) to the peak side
// (page 1), chooses the two-theta range 19.01 .. 21.01 there and right-clicks it: the
// fitting mode's first page (page 2) shows 19.01 .. 21.01 by -110 .. 1430, 1.3 times the
// peak's 1100. Its width of 2 degrees makes a pick too close within 0.01 degree and lets a
// right click find a point within 0.006 degree.

#include <cmath>

#include "background_session.h"

inline const std::vector<float> kFittingWindow = {19.01f, 21.01f, -110, 1430};
inline const std::string kFitHint =
    "LC=select(first/last-BG pos.,others-PEAK pos.); RC=deselect; 'F/G'=do fitting";
inline const std::string kWorPrompt = "Enter wor = slit width / separation(negative # for fit): ";
inline const std::string kFilePrompt =
    "Enter filename for *.fit(will be newly created or appended): ";
inline const std::string kFitHeader = "#   tth      Iint       FWHM      eta      w/r     chi^2\n";
inline const std::string kPeakSideLine =
    "Choose some region for ASYMMETRIC FITTING : Two Left mouse clicks to specify ROI";

inline float twoPeakCounts(int i) {
    const double t = 10.0 + 0.02 * i;
    const auto gaussian = [t](double centre, double height) {
        const double u = (t - centre) / 0.1;
        return height * std::exp(-4.0 * std::log(2.0) * u * u);
    };
    return static_cast<float>(100.0 + gaussian(20.0, 1000.0) + gaussian(25.0, 500.0));
}

class FitSession : public BackgroundSession {
  protected:
    void SetUp() override { writePatternFile("quartz.xy", twoPeakCounts); }

    void enterFitting(float from = 19.01f, float to = 21.01f) {
        rightClick(20, 500);
        click(from, 300);
        click(to, 300);
        rightClick((from + to) / 2, 300);
    }
    void pick(float x) { click(x, 500); }
    // Ends at 19.5 and 20.5, the peak at 20.0.
    void pickAroundThePeak() {
        pick(19.5f);
        pick(20.5f);
        pick(20.0f);
    }
    // On the evaluation page: a left click in the box keeps the fit, a right click drops it.
    void acceptFit() { click(20, 500); }
    void rejectFit() { rightClick(20, 500); }

    // The text drawn on line 1 of a page of the fitting mode.
    std::string statusLine(int page) const {
        const std::vector<std::string> lines = pageTexts(page, 4);
        return lines.size() > 1 ? lines[1] : std::string();
    }
    // Markers of a symbol drawn on a page, as (x, y).
    std::vector<std::pair<float, float>> markers(int page, int symbol) const {
        std::vector<std::pair<float, float>> found;
        for (const GraphicsCall* call : pageCalls(page))
            if (call->name == "pt1" && call->values[2] == symbol)
                found.emplace_back(call->values[0], call->values[1]);
        return found;
    }
    bool isEvaluationPage(int page) const {
        for (const GraphicsCall* call : pageCalls(page))
            if (call->name == "lab") return call->text.ends_with("|Fitting Results");
        return false;
    }
    float tthAt(int i) const { return static_cast<float>(10.0 + 0.02 * i); }
};
