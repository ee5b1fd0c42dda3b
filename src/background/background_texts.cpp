#include "background/background_texts.h"

#include <array>

namespace {

constexpr std::array<const char*, 12> kNoCornerLines = {
    kHelpFirstCorner,
    kHelpScroll,
    "Right mouse click - Cancel/Go back to previous step.",
    "Right mouse click when you specified ROI - Enter the background points picking mode.",
    kHelpCancelKey,
    "S - Save current background points into file.",
    "L - Load background points from file.",
    kHelpRefresh,
    kHelpSaveQuit,
    kHelpQuit,
    kHelpPositionWriting,
    "T - On/Off background points showing.",
};

constexpr std::array<const char*, 4> kOneCornerLines = {
    kHelpSecondCorner,
    kHelpScroll,
    "Right mouse click - Cancel/Go back to previous step.",
    kHelpCancelKey,
};

constexpr std::array<const char*, 6> kRoiSelectedLines = {
    kHelpRescale,   kHelpScroll,   "Right mouse click - Enter the background points picking mode.",
    kHelpCancelKey, kHelpSaveQuit, kHelpQuit,
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
    .chooseRegion =
        "Choose some region for BACKGROUND EXTRACTION : Two Left mouse clicks to specify ROI",
    .unsaved = "You have background point(s) in memory, but not saved in file.",
    .mouse =
        "LMB = pick current position, RMB = Cancel/Return to full scale/Go to peak shape "
        "fitting mode",
    .keyboard = "Keyboard : B  S  L  R  X  Q  W  T , H = help",
    .rightClickOnRoi =
        "To enter background extracting mode, Right mouse click; To cancel this ROI, use 'B'",
    .noCornerHelp = {"---- Zooming/ROI setting mode for background extraction ----",
                     kNoCornerLines},
    .oneCornerHelpLines = kOneCornerLines,
    .roiSelectedHelpLines = kRoiSelectedLines,
};

TextLines extractionLines(PickMessage message) {
    return {
        {"Zoomed screen : To scroll, left mouse button click outside of coordination box",
         pickMessageText(message), "If done, hit 'S' in keyboard to save current background points",
         "Keyboard : B  S  R  X  Q , H = help"},
        4};
}

const HelpText kExtractionHelp = {"---- Background points extraction mode ----", kExtractionLines};
