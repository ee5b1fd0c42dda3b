#pragma once
// A RunState on a scripted device and a string console, with a pattern filled by a known
// rule, for tests that drive the view and the modes without the load step.

#include <memory>
#include <sstream>
#include <string>

#include "console/console.h"
#include "driver/run_state.h"
#include "support/scripted_graphics.h"

// n points from tthmin in steps of tthstep; cts[i] = ctsOf(i), sig = 1.
template <typename CtsOf>
void fillPattern(PatternStore& pattern, double tthmin, double tthstep, int n, CtsOf ctsOf) {
    pattern.fillUnset();
    for (int i = 0; i < n; ++i) {
        pattern.tth[i] = static_cast<float>(tthmin + i * tthstep);
        pattern.cts[i] = ctsOf(i);
        pattern.sig[i] = 1.0f;
    }
    pattern.ilast = n - 1;
    pattern.tthmin = tthmin;
    pattern.tthstep = tthstep;
    pattern.tthmax = tthmin + (n - 1) * tthstep;
}

struct RunStateFixture {
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
    ScriptedGraphics gfx;
    std::unique_ptr<RunState> state = std::make_unique<RunState>(console, gfx);

    // The standard pattern of these tests: 10 to 30 degrees in steps of 0.02, intensities
    // rising from 0 to 1000 over the pattern (maxcts = 1000).
    RunStateFixture() {
        fillPattern(state->pattern, 10.0, 0.02, 1001, [](int i) { return float(i); });
        state->dataFile.name = "quartz.xy";
        state->dataFile.format = 'x';
    }

    void consoleInput(const std::string& text) {
        in.clear();
        in.str(text);
    }
    std::string transcript() const { return out.str(); }

    // A zoomed window, shown as it is by the next page.
    void zoomTo(float xmin, float xmax, float ymin, float ymax) {
        PlotWindow& win = state->view.win;
        win.xmin = xmin;
        win.xmax = xmax;
        win.ymin = ymin;
        win.ymax = ymax;
        win.updateSize();
        state->view.flag = ViewFlag::KeepShown;
    }
};
