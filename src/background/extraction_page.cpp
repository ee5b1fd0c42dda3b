#include "background/extraction_page.h"

#include "background/background_overlay.h"
#include "driver/run_state.h"
#include "view/colours.h"
#include "view/cursor.h"
#include "view/plot_page.h"

bool drawExtractionPageAndRead(RunState& state, PickMessage message) {
    ViewState& view = state.view;
    const PointList& list = state.points;
    view.key = 'n';
    setUpPage(state.gfx, view.win, state.dataFile.name.c_str());
    drawTextLines(state.gfx, view.win, extractionLines(message), kColourDialogue);
    state.gfx.sci(kColourFrame);
    drawPatternCurve(state.gfx, state.pattern);
    state.console.flush();  // the last pick's line shows while the user decides
    if (list.last >= 0) {
        drawBackgroundOverlay(state.gfx, list);
        const CursorPos lastPoint{list.x[list.last], list.y[list.last]};
        return readCursor(state.gfx, kBandLine, lastPoint, view.pickPos, view.key);
    }
    return readCursor(state.gfx, kBandPlain, view.pickPos, view.pickPos, view.key);
}
