#include "view/region_choice_page.h"

#include "view/cursor.h"
#include "view/plot_context.h"

bool RegionChoicePage::hasPoints() const {
    return plot_.points.last >= 0;
}

TextLines RegionChoicePage::instructionLines() const {
    return regionChoiceLines(texts_, hasPoints());
}

TextLines RegionChoicePage::selectedRoiLines() const {
    return selectedRegionLines(texts_);
}

int RegionChoicePage::firstCornerBand() const {
    return kBandPlain;
}

int RegionChoicePage::secondCornerBand() const {
    return kBandRectangle;
}
