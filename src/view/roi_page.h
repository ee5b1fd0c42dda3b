#pragma once
// The page cycle of a region-choice mode, shared by the background and the peak side. The
// mode supplies its point list, its texts, its overlay and its corner marks; the cycle
// sets the window by ViewFlag, prints when asked to, and shows the state of the region.

#include "view/text_lines.h"

struct PlotContext;

class RoiMode {
  public:
    virtual ~RoiMode() = default;

    // Empties the mode's list (and what belongs to it) when the side is entered afresh.
    virtual void emptyList() = 0;
    virtual bool hasPoints() const = 0;
    // Called once the window of a new page is fixed, before anything is drawn.
    virtual void startPage() {}
    // Lines 0 to 3 while no region is selected, and the lines that replace them once it is.
    virtual TextLines instructionLines() const = 0;
    virtual TextLines selectedRoiLines() const = 0;
    // The mode's points over the pattern; called only when it has some and shows them.
    virtual void drawOverlay() = 0;
    // Band modes of the cursor reads awaiting the first and the second corner.
    virtual int firstCornerBand() const = 0;
    virtual int secondCornerBand() const = 0;
    virtual void markFirstCorner() = 0;
    // The second corner's mark and the outline of the region.
    virtual void markSelectedRoi() = 0;
};

enum class PageResult { Ready, DeviceLost };

// Draws a new page (first printing it when `key` is 'p' or 'P') and shows the region state:
// the first corner's mark, or both marks with the outline and the selected-region texts.
PageResult drawRoiPage(PlotContext& state, RoiMode& mode);

// The shows of a region state reached without a new page.
void showFirstCorner(PlotContext& state, RoiMode& mode);
void showSelectedRoi(PlotContext& state, RoiMode& mode);

// One cursor read of the current region state: into corner1, corner2 or pickPos, and `key`.
// False when the device gives no cursor input.
bool readRoiCursor(PlotContext& state, const RoiMode& mode);
