#include "peaks/peak_zoom.h"

#include <algorithm>

#include "driver/run_state.h"
#include "peaks/autoscale.h"
#include "view/zoom.h"

namespace {

// The two-theta range between the corners, shown with the points; false for no width.
bool setTthRange(ViewState& view) {
    const CursorPos& c1 = view.corner1;
    const CursorPos& c2 = view.corner2;
    if (c1.x == c2.x) return false;
    view.win.xmin = std::min(c1.x, c2.x);
    view.win.xmax = std::max(c1.x, c2.x);
    view.win.updateSize();
    view.flag = ViewFlag::KeepShown;
    return true;
}

bool autoscaledRange(RunState& state, double factor) {
    if (!setTthRange(state.view)) return false;
    autoscaleWindow(state, factor);
    return true;
}

}  // namespace

bool zoomToPeakRoi(RunState& state) {
    if (state.peaks.roiMethod == RoiMethod::Box) return zoomToRoi(state.view);
    return autoscaledRange(state, kRoiAutoscale);
}

bool zoomForFitting(RunState& state) {
    ViewState& view = state.view;
    if (state.peaks.roiMethod == RoiMethod::XRange)
        return autoscaledRange(state, kFittingAutoscale);
    const float top = std::max(view.corner1.y, view.corner2.y);
    if (top <= 0.0f) return false;  // the window would be empty or upside down
    if (!setTthRange(view)) return false;
    view.win.ymax = top;
    view.win.ymin = static_cast<float>(-0.1 * top);
    view.win.updateSize();
    return true;
}
