#pragma once
// Whole-program sessions on the background side: a known pattern written as quartz.xy in
// the test's own directory, a scripted cursor, and queries over the pages drawn.
//
// The pattern has 1001 points from 10 to 30 degrees in steps of 0.02, with intensities
// rising from 0 to 1000, so its full-scale window is 7 to 33 degrees (150 steps of margin)
// by -100 to 1100 (10 % of maxcts below zero and above the maximum).

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/scripted_graphics.h"
#include "support/session.h"
#include "support/temp_dir.h"

inline const std::vector<float> kFullScale = {7, 33, -100, 1100};
// The region most tests zoom to, by the corners (18, 200) and (22, 600).
inline const std::vector<float> kRegion = {18, 22, 200, 600};

inline const std::string kChooseRegion =
    "Choose some region for BACKGROUND EXTRACTION : Two Left mouse clicks to specify ROI";
inline const std::string kUnsavedPoints =
    "You have background point(s) in memory, but not saved in file.";
inline const std::string kMouseLine =
    "LMB = pick current position, RMB = Cancel/Return to full scale/Go to peak shape fitting "
    "mode";
inline const std::string kKeyboardLine = "Keyboard : B  S  L  R  X  Q  W  T , H = help";
inline const std::string kLoseData = "May lose your data... Are you sure? (y/N)";
// Line 0 of the peak side's region choice, where the background side hands over.
inline const std::string kPeakSide =
    "Choose some region for ASYMMETRIC FITTING : Two Left mouse clicks to specify ROI";
inline const std::string kWritersRan = "# of data points(from 1 to #)";

inline void writePatternFile(const std::string& name, float (*ctsOf)(int)) {
    std::string text;
    char line[64];
    for (int i = 0; i <= 1000; ++i) {
        std::snprintf(line, sizeof line, "%.2f %.1f 1.0\n", 10.0 + 0.02 * i, ctsOf(i));
        text += line;
    }
    writeFile(name, text);
}

class BackgroundSession : public ::testing::Test {
  protected:
    TempDir dir;
    ScriptedGraphics gfx;
    SessionResult result;

    void SetUp() override {
        writePatternFile("quartz.xy", [](int i) { return float(i); });
    }

    void click(float x, float y) { gfx.push(x, y, 'A'); }
    void rightClick(float x, float y) { gfx.push(x, y, 'D'); }
    void key(char ch) { gfx.push(20, 500, ch); }

    // From the region-choice mode without a corner: zoom to kRegion and stay there.
    void zoomToRegion() {
        click(18, 200);
        click(22, 600);
        click(20, 400);
    }
    // From the region-choice mode without a corner: select kRegion and start picking.
    void enterExtraction() {
        click(18, 200);
        click(22, 600);
        rightClick(20, 400);
    }

    void run(const std::string& consoleInput = "", const std::string& dataFile = "quartz.xy") {
        result = runSession(gfx, {dataFile}, consoleInput);
    }
    // A fresh device for another session in the same directory.
    void restart() { gfx = ScriptedGraphics(); }

    bool transcriptHas(const std::string& text) const {
        return result.transcript.find(text) != std::string::npos;
    }
    int occurrences(const std::string& text) const {
        int count = 0;
        for (std::size_t at = result.transcript.find(text); at != std::string::npos;
             at = result.transcript.find(text, at + 1))
            ++count;
        return count;
    }

    // Every page starts with its window: the bounds of each page, in order.
    std::vector<std::vector<float>> windows() const {
        std::vector<std::vector<float>> found;
        for (const GraphicsCall* env : gfx.named("env"))
            found.emplace_back(env->values.begin(), env->values.begin() + 4);
        return found;
    }
    int pageCount() const { return gfx.count("env"); }

    // The calls of page `page` (from its env to the next one, or to the end).
    std::vector<const GraphicsCall*> pageCalls(int page) const {
        std::vector<const GraphicsCall*> found;
        int current = -1;
        for (const GraphicsCall& call : gfx.calls) {
            if (call.name == "env") ++current;
            if (current == page) found.push_back(&call);
        }
        return found;
    }
    std::vector<std::string> pageTexts(int page, int colour = -1) const {
        std::vector<std::string> found;
        for (const GraphicsCall* call : pageCalls(page))
            if (call->name == "ptxt" && (colour < 0 || call->colour == colour))
                found.push_back(call->text);
        return found;
    }
    bool pageHasText(int page, const std::string& text) const {
        for (const std::string& drawn : pageTexts(page))
            if (drawn == text) return true;
        return false;
    }
    // Background point markers (marker 8) drawn on a page.
    int pointMarkers(int page) const {
        int count = 0;
        for (const GraphicsCall* call : pageCalls(page))
            if (call->name == "pt1" && call->values[2] == 8) ++count;
        return count;
    }
    // Every cursor read in order: {mode, posn, xref, yref}.
    std::vector<std::vector<float>> bands() const {
        std::vector<std::vector<float>> found;
        for (const GraphicsCall* band : gfx.named("band")) found.push_back(band->values);
        return found;
    }
};
