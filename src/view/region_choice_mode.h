#pragma once
// The region-choice mode of either side: scroll, zoom by two corners, show or hide the
// side's points, print, save and load them, write cursor positions, and leave for the
// side's next mode, the other side, or the end. The keys both sides share are judged
// here; the side's rules supply what differs, and its page what it draws and says.

#include "view/cursor.h"
#include "view/region_choice_page.h"

struct PlotContext;

enum class RegionChoiceExit {
    ToNextMode,    // the selected region is zoomed for the side's next mode; no corner left
    ToOtherSide,   // the other side, entered afresh
    Quit,          // the end sequence with `key`
    DeviceFailed,  // no device or no cursor input left
};

struct RegionChoiceOutcome {
    RegionChoiceExit exit;
    char key = 'n';
};

// What the sides do differently.
class RegionChoiceRules {
  public:
    virtual ~RegionChoiceRules() = default;

    virtual void save() = 0;
    // False when the user cancelled the load: the page stays and the cursor is read again.
    virtual bool load() = 0;
    // A right click at `at` beyond a side of the box, in any region state: true when the
    // side has used it, so that it cancels nothing and leaves nowhere.
    virtual bool usesRightClickBeyondBox(const CursorPos& at) = 0;
    // A right click at `at` inside the box with no corner given: true when the side has
    // used it, so that it cancels nothing and leaves nowhere.
    virtual bool usesRightClickInBox(const CursorPos& at) = 0;
    // Zooms to the selected region to go on choosing.
    virtual void zoomIn() = 0;
    // Zooms to the selected region for the side's next mode; false when it cannot be drawn.
    virtual bool zoomForNextMode() = 0;
    // A key of the side's own with no corner given: true when it wants a new page.
    virtual bool onOwnKey(char key) = 0;
};

// Runs the mode on `page` until the user leaves it.
RegionChoiceOutcome runRegionChoiceMode(PlotContext& state, RegionChoicePage& page,
                                        RegionChoiceRules& rules);
