#include "background/pick.h"

#include <cmath>

#include "background/insert_point.h"
#include "console/console.h"

namespace {

bool within(const PointList& list, int i, float x, float y, const PlotWindow& win,
            double fraction) {
    return std::fabs(x - list.x[i]) < fraction * win.dx &&
           std::fabs(y - list.y[i]) < fraction * win.dy;
}

}  // namespace

bool tooCloseToPick(const PointList& list, float x, float y, const PlotWindow& win) {
    for (int i = 0; i <= list.last; ++i)
        if (within(list, i, x, y, win, 0.005)) return true;
    return false;
}

bool deselectPoint(Console& console, PointList& list, float x, float y, const PlotWindow& win) {
    int chosen = -1;
    for (int i = 0; i <= list.last; ++i) {
        if (!within(list, i, x, y, win, 0.003)) continue;
        if (chosen < 0)
            chosen = i;
        else
            console.print("ERROR!!! THERE ARE POINTS TOO CLOSE!!!\n");
    }
    if (chosen < 0) return false;
    console.print("Deleting a bg point from %dth @ x:%f , y:%f\n", chosen + 1, list.x[chosen],
                  list.y[chosen]);
    removePoint(list, chosen);
    return true;
}
