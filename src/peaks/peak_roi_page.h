#pragma once
// What the peak side puts on the pages of its region-choice mode: the stored peak
// positions, and corners shown as the region method gives them (vertical lines for a
// two-theta range, a rectangle for a box).

#include "view/region_choice_page.h"

struct RunState;

class PeakRoiPage : public RegionChoicePage {
  public:
    explicit PeakRoiPage(RunState& state);

    // The list and the FitBlock.
    void emptyList() override;
    // With no corner given, both corners wait at the window centre.
    void startPage() override;
    void drawOverlay() override;
    int firstCornerBand() const override;
    int secondCornerBand() const override;
    void markFirstCorner() override;
    void markSelectedRoi() override;

  private:
    bool xRange() const;
    void drawVerticalLine(float x);

    RunState& state_;
};
