#pragma once
// The page of a region-choice mode as both sides draw it: the side's texts, and a region
// chosen as a box (a plain cursor for the first corner, a rectangle from it for the
// second). A side adds its list, its overlay and its corner marks.

#include "view/region_choice_texts.h"
#include "view/roi_page.h"

struct PlotContext;

class RegionChoicePage : public RoiMode {
  public:
    RegionChoicePage(PlotContext& state, const RegionChoiceTexts& texts)
        : plot_(state), texts_(texts) {}

    const RegionChoiceTexts& texts() const { return texts_; }

    bool hasPoints() const override;
    TextLines instructionLines() const override;
    TextLines selectedRoiLines() const override;
    int firstCornerBand() const override;
    int secondCornerBand() const override;

  protected:
    PlotContext& plot_;

  private:
    const RegionChoiceTexts& texts_;
};
