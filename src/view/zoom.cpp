#include "view/zoom.h"

#include <algorithm>

bool zoomToRoi(ViewState& view) {
    const CursorPos& c1 = view.corner1;
    const CursorPos& c2 = view.corner2;
    if (c1.x == c2.x || c1.y == c2.y) return false;
    view.win.xmin = std::min(c1.x, c2.x);
    view.win.xmax = std::max(c1.x, c2.x);
    view.win.ymin = std::min(c1.y, c2.y);
    view.win.ymax = std::max(c1.y, c2.y);
    view.win.updateSize();
    view.flag = ViewFlag::KeepShown;
    return true;
}
