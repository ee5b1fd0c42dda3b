#include "view/marks.h"

#include <cstdio>

#include "view/colours.h"

void drawPositionMark(Graphics& gfx, float x, float y) {
    char label[128];  // room for two floats of any size in %.4f
    std::snprintf(label, sizeof label, "(%.4f, %.4f)", x, y);
    gfx.sci(kColourMark);
    gfx.pt1(x, y, 2775);
    gfx.ptxt(x, y, 0.0f, 0.0f, label);
}

void drawRoiRectangle(Graphics& gfx, const CursorPos& corner1, const CursorPos& corner2,
                      int colour) {
    gfx.sci(colour);
    gfx.sfs(2);
    gfx.sclp(0);
    gfx.rect(corner1.x, corner2.x, corner1.y, corner2.y);
    gfx.sclp(1);
    gfx.sfs(1);
}
