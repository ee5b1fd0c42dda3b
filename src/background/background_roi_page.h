#pragma once
// What the background side puts on the pages of its region-choice mode.

#include "view/roi_page.h"

struct RunState;

class BackgroundRoiPage : public RoiMode {
  public:
    explicit BackgroundRoiPage(RunState& state) : state_(state) {}

    void emptyList() override;
    bool hasPoints() const override;
    TextLines instructionLines() const override;
    TextLines selectedRoiLines() const override;
    void drawOverlay() override;
    int firstCornerBand() const override;
    int secondCornerBand() const override;
    void markFirstCorner() override;
    void markSelectedRoi() override;

  private:
    RunState& state_;
};
