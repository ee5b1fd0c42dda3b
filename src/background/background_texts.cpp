#include "background/background_texts.h"

#include <array>

namespace {

constexpr const char* kChooseRegion =
    "Choose some region for BACKGROUND EXTRACTION : Two Left mouse clicks to specify ROI";
constexpr const char* kUnsaved = "You have background point(s) in memory, but not saved in file.";
constexpr const char* kMouse =
    "LMB = pick current position, RMB = Cancel/Return to full scale/Go to peak shape fitting "
    "mode";
constexpr const char* kKeyboard = "Keyboard : B  S  L  R  X  Q  W  T , H = help";

constexpr std::array<const char*, 12> kNoCornerLines = {
    "Left mouse click in the coordination box - Specify one position of ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click - Cancel/Go back to previous step.",
    "Right mouse click when you specified ROI - Enter the background points picking mode.",
    "B - Cancel/Go back to previous step.",
    "S - Save current background points into file.",
    "L - Load background points from file.",
    "R - Refresh.",
    "X - Save & Quit current data into other data file(s).",
    "Q - Instant Quit.",
    "W - On/Off mouse cursor position writing mode.",
    "T - On/Off background points showing.",
};

constexpr std::array<const char*, 4> kOneCornerLines = {
    "Left mouse click in the coordination box - Specify another position of ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click - Cancel/Go back to previous step.",
    "B - Cancel/Go back to previous step.",
};

constexpr std::array<const char*, 6> kRoiSelectedLines = {
    "Left mouse click in the coordination box - Rescale to given ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click - Enter the background points picking mode.",
    "B - Cancel/Go back to previous step.",
    "X - Save & Quit current data into other data file(s).",
    "Q - Instant Quit.",
};

constexpr std::array<const char*, 8> kExtractionLines = {
    "Left mouse click in the coordination box - Select current position.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click - Deselect current position.",
    "B - Cancel/Go back to previous step.",
    "S - Save current background positions to file.",
    "R - Refresh.",
    "X - Save & Quit current data into other data file(s).",
    "Q - Instant Quit.",
};

const char* pickMessageText(PickMessage message) {
    switch (message) {
        case PickMessage::DeselectNotFound:
            return "I can not find the point to deselect. Try nearer position";
        case PickMessage::PickTooClose:
            return "Points are too close.  Try farther position";
        case PickMessage::None:
            break;
    }
    return "Left click to select; Right click to deselect";
}

}  // namespace

const RegionChoiceTexts kBackgroundRoiTexts = {
    kChooseRegion,
    kUnsaved,
    kMouse,
    kKeyboard,
    "To enter background extracting mode, Right mouse click; To cancel this ROI, use 'B'",
    {"---- Zooming/ROI setting mode for background extraction ----", kNoCornerLines},
    {kOneCornerHelpTitle, kOneCornerLines},
    {kRoiSelectedHelpTitle, kRoiSelectedLines},
};

TextLines roiSelectedLines() {
    return selectedRegionLines(kBackgroundRoiTexts);
}

TextLines extractionLines(PickMessage message) {
    return {
        {"Zoomed screen : To scroll, left mouse button click outside of coordination box",
         pickMessageText(message), "If done, hit 'S' in keyboard to save current background points",
         "Keyboard : B  S  R  X  Q , H = help"},
        4};
}

const HelpText kExtractionHelp = {"---- Background points extraction mode ----", kExtractionLines};
