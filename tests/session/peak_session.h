#pragma once
// Whole-program sessions on the peak side: the pattern of the background sessions
// (quartz.xy, 10 to 30 degrees in steps of 0.02 with cts[i] = i, full scale 7 to 33 by
// -100 to 1100), reached by a right click at full scale on the background side. Page 0 is
// the background side's, page 1 the first of the peak side.
//
// Two-theta values of corners lie halfway between pattern points (an odd last digit), so
// that the points an autoscale takes in are the same whatever the rounding: from 18.01 to
// 22.01 they are points 400 to 600, and the largest intensity is 600.

#include <algorithm>

#include "background_session.h"

inline const std::string kPeakChooseRegion =
    "Choose some region for ASYMMETRIC FITTING : Two Left mouse clicks to specify ROI";
inline const std::string kPeakUnsaved =
    "You have Bragg peak position(s) in memory, but not saved in file.";
inline const std::string kPeakMouseLine =
    "LMB = pick current position, RMB = Cancel/Return to full scale/Go to background "
    "extraction mode";
inline const std::string kPeakKeyboardLine = "Keyboard : B  S  C  V  L  R  X  Q  W  T , H = help";
inline const std::vector<std::string> kPeakSelectedLines = {
    "ROI is selected : To zoom-in & keep zooming mode, Left mouse click",
    "To enter fitting parameters setting mode, Right mouse click; To cancel this ROI, use 'B'",
    "Keyboard : B  X  Q , H = help"};
inline const std::string kLoadPrompt = "CDT/FIT file name(blank to cancel)...? ";

class PeakSession : public BackgroundSession {
  protected:
    // From the background side's first page at full scale: no question with an empty list.
    void enterPeakSide() { rightClick(20, 500); }
    // From the peak side without a corner: the two-theta range 18.01 .. 22.01, zoomed.
    void zoomXRange() {
        click(18.01f, 300);
        click(22.01f, 700);
        click(20, 400);
    }
    // Peak markers (marker 31) drawn on a page, by two-theta.
    std::vector<float> peakMarkers(int page) const {
        std::vector<float> found;
        for (const GraphicsCall* call : pageCalls(page))
            if (call->name == "pt1" && call->values[2] == 31) found.push_back(call->values[0]);
        return found;
    }
    // FWHM arrows (markers 28 and 29) drawn on a page.
    int fwhmArrows(int page) const {
        int count = 0;
        for (const GraphicsCall* call : pageCalls(page))
            if (call->name == "pt1" && (call->values[2] == 28 || call->values[2] == 29)) ++count;
        return count;
    }
    // The calls made after page `page` started, of one name.
    std::vector<const GraphicsCall*> pageNamed(int page, const std::string& name) const {
        std::vector<const GraphicsCall*> found;
        for (const GraphicsCall* call : pageCalls(page))
            if (call->name == name) found.push_back(call);
        return found;
    }
    int textCount(const std::string& text) const {
        const std::vector<std::string> all = gfx.texts();
        return static_cast<int>(std::count(all.begin(), all.end(), text));
    }
};
