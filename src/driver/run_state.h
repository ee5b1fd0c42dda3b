#pragma once
// Everything a run keeps for its whole life, created by the driver and passed by reference
// to the modes. There are no globals: what lives "for the whole run" lives here. The part
// that the view's page cycles need is its base, so the modes hand a RunState to the view.

#include "lsq/lsq_state.h"
#include "peaks/peak_state.h"
#include "view/plot_context.h"

struct RunState : PlotContext {
    using PlotContext::PlotContext;

    PeakSideState peaks;
    LsqState lsq;  // the fit engine: parameter vector, data points and scalars
};
