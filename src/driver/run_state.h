#pragma once
// Everything a run keeps for its whole life, created by the driver and passed by reference
// to the modes. There are no globals: what lives "for the whole run" lives here.

#include "console/console.h"
#include "lsq/lsq_state.h"
#include "pattern/data_file_name.h"
#include "pattern/pattern_store.h"
#include "peaks/peak_state.h"
#include "view/graphics.h"
#include "view/point_list.h"
#include "view/view_state.h"

struct RunState {
    RunState(Console& console, Graphics& graphics) : console(console), gfx(graphics) {}

    Console& console;
    Graphics& gfx;

    PatternStore pattern;
    DataFileName dataFile;
    PointList points;  // background list on the background side, peak list on the peak side
    ViewState view;
    PeakSideState peaks;
    LsqState lsq;  // the fit engine: parameter vector, data points and scalars
};
