#pragma once
// What the background side puts on the pages of its region-choice mode: its points, and
// the corners of the box.

#include "view/region_choice_page.h"

struct PlotContext;

class BackgroundRoiPage : public RegionChoicePage {
  public:
    explicit BackgroundRoiPage(PlotContext& state);

    void emptyList() override;
    void drawOverlay() override;
    void markFirstCorner() override;
    void markSelectedRoi() override;
};
