#include "view/region_choice_texts.h"

TextLines regionChoiceLines(const RegionChoiceTexts& texts, bool hasPoints) {
    if (hasPoints) return {{texts.chooseRegion, texts.unsaved, texts.mouse, texts.keyboard}, 4};
    return {{texts.chooseRegion, texts.mouse, texts.keyboard}, 3};
}

TextLines selectedRegionLines(const RegionChoiceTexts& texts) {
    return {{"ROI is selected : To zoom-in & keep zooming mode, Left mouse click",
             texts.rightClickOnRoi, "Keyboard : B  X  Q , H = help"},
            3};
}

HelpText oneCornerHelp(const RegionChoiceTexts& texts) {
    return {"---- One down, another click to go ----", texts.oneCornerHelpLines};
}

HelpText roiSelectedHelp(const RegionChoiceTexts& texts) {
    return {"---- ROI is now selected ----", texts.roiSelectedHelpLines};
}
