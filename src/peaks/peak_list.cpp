#include "peaks/peak_list.h"

#include "peaks/peak_state.h"
#include "view/point_list.h"

void emptyPeakList(PointList& points, PeakSideState& peaks) {
    points.empty();
    peaks.fitBlock.fill(kUnset);
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
