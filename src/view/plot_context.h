#pragma once
// What the view's page cycles work on for the whole run: the two seams, the pattern and its
// file name, the point list and the view state. The run's own state extends it, so the
// view reads the run without standing on the driver.

#include "console/console.h"
#include "pattern/data_file_name.h"
#include "pattern/pattern_store.h"
#include "view/graphics.h"
#include "points/point_list.h"
#include "view/view_state.h"

struct PlotContext {
    PlotContext(Console& console, Graphics& graphics) : console(console), gfx(graphics) {}

    Console& console;
    Graphics& gfx;

    PatternStore pattern;
    DataFileName dataFile;
    PointList points;  // background list on the background side, peak list on the peak side
    ViewState view;
};
