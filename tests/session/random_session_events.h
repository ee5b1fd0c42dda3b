#pragma once
// The made-up input of a random session: cursor events aimed at the window the run shows at
// that moment (inside the box, on its edges, beyond them by up to the box's size, on the
// pattern's points, twice on the same spot), every key the modes know and some they do not, and
// console lines from the answers the prompts expect and others.

#include <random>
#include <string>
#include <vector>

#include "pattern/pattern_store.h"
#include "support/scripted_graphics.h"
#include "view/view_state.h"

// Files a session prepares for the load prompts to find.
inline constexpr const char* kSessionPointFile = "points.fbg";
inline constexpr const char* kSessionPeakFile = "peaks.cdt";

class RandomEvents {
  public:
    explicit RandomEvents(unsigned seed) : rng_(seed) {}

    CursorEvent next(const PlotWindow& win, const PatternStore& pattern);

    // Console lines for a whole session; how many is itself random, so that the input
    // sometimes ends while the run still asks.
    std::vector<std::string> consoleLines(int most);

    // One in `chances`.
    bool oneIn(int chances);

  private:
    char key();
    float along(float low, float high);
    float uniform(float low, float high);
    int below(int bound);

    std::mt19937 rng_;
    CursorEvent previous_;
};
