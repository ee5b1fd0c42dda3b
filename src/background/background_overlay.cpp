#include "background/background_overlay.h"

#include "view/colours.h"

void drawBackgroundOverlay(Graphics& gfx, const PointList& list) {
    gfx.sci(kColourNotice);
    for (int i = 0; i <= list.last; ++i) gfx.pt1(list.x[i], list.y[i], 8);
    gfx.sci(kColourDialogue);
    gfx.line(list.last + 1, list.x.data(), list.y.data());
    gfx.sci(kColourFrame);
}
