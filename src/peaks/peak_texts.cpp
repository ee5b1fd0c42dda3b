#include "peaks/peak_texts.h"

#include <array>

namespace {

constexpr std::array<const char*, 15> kNoCornerLines = {
    kHelpFirstCorner,
    kHelpScroll,
    "Right mouse click in the coordination box - Cancel/Go back to previous step.",
    "Right mouse click out of the coordination box - Autoscale.",
    "Right mouse click when you specified ROI - Enter the asymmetric profile fitting mode.",
    kHelpCancelKey,
    "S - Save current peak positions into file.",
    "C - Change ROI specifying method(toggle).",
    "V - Reset w/r value to refine.",
    "L - Load peak positions from file.",
    kHelpRefresh,
    kHelpSaveQuit,
    kHelpQuit,
    kHelpPositionWriting,
    "T - On/Off peak positions showing.",
};

constexpr std::array<const char*, 5> kOneCornerLines = {
    kHelpSecondCorner,
    kHelpScroll,
    "Right mouse click in the coordination box - Cancel/Go back to previous step.",
    "Right mouse click out of the coordination box - Autoscale.",
    kHelpCancelKey,
};

constexpr std::array<const char*, 7> kRoiSelectedLines = {
    kHelpRescale,
    kHelpScroll,
    "Right mouse click in the coordination box - Enter the asymmetric profile fitting mode.",
    "Right mouse click out of the coordination box - Autoscale.",
    kHelpCancelKey,
    kHelpSaveQuit,
    kHelpQuit,
};

}  // namespace

const RegionChoiceTexts kPeakRoiTexts = {
    .chooseRegion =
        "Choose some region for ASYMMETRIC FITTING : Two Left mouse clicks to specify ROI",
    .unsaved = "You have Bragg peak position(s) in memory, but not saved in file.",
    .mouse =
        "LMB = pick current position, RMB = Cancel/Return to full scale/Go to background "
        "extraction mode",
    .keyboard = "Keyboard : B  S  C  V  L  R  X  Q  W  T , H = help",
    .rightClickOnRoi =
        "To enter fitting parameters setting mode, Right mouse click; To cancel "
        "this ROI, use 'B'",
    .noCornerHelp = {"---- Zooming/ROI setting mode for asymmetric profile fitting ----",
                     kNoCornerLines},
    .oneCornerHelpLines = kOneCornerLines,
    .roiSelectedHelpLines = kRoiSelectedLines,
};
