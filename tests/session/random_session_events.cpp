#include "random_session_events.h"

#include <array>
#include <cmath>

namespace {

// Keys by how often a user presses them: clicks most, the quit keys rarely (so that a
// session lasts), and some no mode knows.
constexpr const char* kModeKeys = "bBhHsSlLrRwWtTcCvVfFgGpPyYnNkKiI";
constexpr const char* kQuitKeys = "qQxX";
constexpr std::array<char, 10> kStrangeKeys = {'z', '9',    ' ',    '\r',   '\t',
                                               '?', '\x01', '\x1f', '\x7f', '\0'};

const std::vector<std::string>& answerWords() {
    static const std::vector<std::string> words = {"",
                                                   "",
                                                   "y",
                                                   "n",
                                                   "K",
                                                   "k",
                                                   "I",
                                                   "i",
                                                   "0.06",
                                                   "-0.06",
                                                   "0.5",
                                                   "100",
                                                   "-1",
                                                   "0",
                                                   "abc",
                                                   "nan",
                                                   "inf",
                                                   "1e39",
                                                   "fit1.fit",
                                                   "fit2.fit",
                                                   "out.xy",
                                                   "out.wyr",
                                                   "out.dat",
                                                   "out.gda",
                                                   "A title",
                                                   kSessionPointFile,
                                                   "points.gbg",
                                                   kSessionPeakFile,
                                                   "missing.fbg",
                                                   "nodir/x.fit",
                                                   std::string(300, 'n') + ".fit",
                                                   "?",
                                                   " two words.fit",
                                                   "plot.png/png"};
    return words;
}

}  // namespace

bool RandomEvents::oneIn(int chances) {
    return below(chances) == 0;
}

int RandomEvents::below(int bound) {
    return std::uniform_int_distribution<int>(0, bound - 1)(rng_);
}

float RandomEvents::uniform(float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(rng_);
}

char RandomEvents::key() {
    const int roll = below(1000);
    if (roll < 450) return 'A';
    if (roll < 650) return 'D';
    if (roll < 653) return kQuitKeys[below(4)];
    if (roll < 680) return kStrangeKeys[below(kStrangeKeys.size())];
    return kModeKeys[below(32)];
}

// A position on one axis of the window [low, high]: mostly inside, sometimes exactly on an
// edge, sometimes beyond one.
float RandomEvents::along(float low, float high) {
    const float span = std::isfinite(high - low) ? high - low : 1.0f;
    const int roll = below(100);
    if (roll < 70) return uniform(low, high);
    if (roll < 80) return oneIn(2) ? low : high;
    if (roll < 90) return low - uniform(0.0f, span);
    return high + uniform(0.0f, span);
}

CursorEvent RandomEvents::next(const PlotWindow& win, const PatternStore& pattern) {
    CursorEvent event;
    const int roll = below(100);
    if (roll < 5) {
        event = previous_;  // the same spot again: a region of no size
    } else if (roll < 25 && pattern.ilast >= 0) {
        const int i = below(pattern.ilast + 1);
        event.x = pattern.tth[i];
        event.y = pattern.cts[i];
    } else {
        event.x = along(win.xmin, win.xmax);
        event.y = along(win.ymin, win.ymax);
    }
    event.ch = key();
    previous_ = event;
    return event;
}

std::vector<std::string> RandomEvents::consoleLines(int most) {
    const std::vector<std::string>& words = answerWords();
    std::vector<std::string> lines(below(most + 1));
    for (std::string& line : lines) line = words[below(static_cast<int>(words.size()))];
    return lines;
}
