#include "peaks/peak_list.h"

#include <cmath>

#include "peaks/peak_state.h"
#include "points/point_list.h"
#include "view/view_state.h"

void emptyPeakList(PointList& points, PeakSideState& peaks) {
    points.empty();
    peaks.fitBlock.fill(kUnset);
}

int peakNear(const PointList& points, float x, const PlotWindow& win) {
    for (int i = 0; i <= points.last; ++i)
        if (std::fabs(x - points.x[i]) < 0.003 * win.dx) return i;
    return -1;
}

void removePeak(PointList& points, int index) {
    if (index < 0 || index > points.last) return;
    for (int i = index; i < points.last; ++i) {
        points.x[i] = points.x[i + 1];
        points.y[i] = points.y[i + 1];
    }
    points.x[points.last] = kUnset;
    points.y[points.last] = kUnset;
    --points.last;
}
