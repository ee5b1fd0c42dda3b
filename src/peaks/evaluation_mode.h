#pragma once
// The fitting result evaluation mode: the fit is shown until the user keeps it (left click
// in the box) or drops it (right click in the box). Meanwhile clicks outside the box scroll
// or autoscale, 'w' zooms and 'b' returns to the window the evaluation started with.

#include "view/evaluation_page.h"
#include "view/scroll.h"

struct RunState;

enum class Verdict {
    Accept,
    Reject,
    DeviceLost,  // the device gives no cursor input
};

// Works in the view's window and cursor state, starting from the current window.
Verdict runEvaluation(RunState& state, const FitScene& scene, const ScrollLimits& limits);
