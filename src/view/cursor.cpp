#include "view/cursor.h"

#include "console/console.h"

bool readCursor(Graphics& gfx, int bandMode, const CursorPos& anchor, CursorPos& at, char& key) {
    const CursorPos from = anchor;  // `at` may be the anchor itself
    if (gfx.band(bandMode, 0, from.x, from.y, &at.x, &at.y, &key) == 1) return true;
    key = 'n';
    return false;
}

void reportLostCursor(Console& console) {
    console.print("The graphics device gives no cursor input: the run ends.\n");
}
