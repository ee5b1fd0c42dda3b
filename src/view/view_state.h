#pragma once
// What every interactive mode shares about the view: the plot window, the full-scale
// bookkeeping, the cursor state and the screen's colours.

#include "view/device_colours.h"

struct PlotWindow {
    float xmin = 0.0f, xmax = 0.0f, ymin = 0.0f, ymax = 0.0f;
    float dx = 0.0f, dy = 0.0f;  // xmax - xmin and ymax - ymin
    void updateSize() {
        dx = xmax - xmin;
        dy = ymax - ymin;
    }
};

// Read at the start of every page of a region-choice mode.
enum class ViewFlag {
    FullScaleReset,  // full-scale window, the point list emptied
    FullScale,       // full-scale window, the points kept
    KeepShown,       // current window, points drawn
    KeepHidden,      // current window, points not drawn
};

enum class RoiState { NoCorner, OneCorner, RoiSelected };

struct CursorPos {
    float x = 0.0f, y = 0.0f;
};

struct ViewState {
    PlotWindow win;
    float maxcts = 0.0f;
    ViewFlag flag = ViewFlag::FullScaleReset;
    RoiState roi = RoiState::NoCorner;
    char key = 'n';  // the last cursor character; 'n' once a command has been acted on
    CursorPos corner1, corner2, pickPos;
    ScreenColours screen;  // read once at the start, set on every opening of the screen
};
