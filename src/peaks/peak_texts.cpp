#include "peaks/peak_texts.h"

#include <array>

namespace {

constexpr const char* kChooseRegion =
    "Choose some region for ASYMMETRIC FITTING : Two Left mouse clicks to specify ROI";
constexpr const char* kUnsaved =
    "You have Bragg peak position(s) in memory, but not saved in file.";
constexpr const char* kMouse =
    "LMB = pick current position, RMB = Cancel/Return to full scale/Go to background "
    "extraction mode";
constexpr const char* kKeyboard = "Keyboard : B  S  C  V  L  R  X  Q  W  T , H = help";

constexpr std::array<const char*, 15> kNoCornerLines = {
    "Left mouse click in the coordination box - Specify one position of ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click in the coordination box - Cancel/Go back to previous step.",
    "Right mouse click out of the coordination box - Autoscale.",
    "Right mouse click when you specified ROI - Enter the asymmetric profile fitting mode.",
    "B - Cancel/Go back to previous step.",
    "S - Save current peak positions into file.",
    "C - Change ROI specifying method(toggle).",
    "V - Reset w/r value to refine.",
    "L - Load peak positions from file.",
    "R - Refresh.",
    "X - Save & Quit current data into other data file(s).",
    "Q - Instant Quit.",
    "W - On/Off mouse cursor position writing mode.",
    "T - On/Off peak positions showing.",
};

constexpr std::array<const char*, 5> kOneCornerLines = {
    "Left mouse click in the coordination box - Specify another position of ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click in the coordination box - Cancel/Go back to previous step.",
    "Right mouse click out of the coordination box - Autoscale.",
    "B - Cancel/Go back to previous step.",
};

constexpr std::array<const char*, 7> kRoiSelectedLines = {
    "Left mouse click in the coordination box - Rescale to given ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click in the coordination box - Enter the asymmetric profile fitting mode.",
    "Right mouse click out of the coordination box - Autoscale.",
    "B - Cancel/Go back to previous step.",
    "X - Save & Quit current data into other data file(s).",
    "Q - Instant Quit.",
};

}  // namespace

const RegionChoiceTexts kPeakRoiTexts = {
    kChooseRegion,
    kUnsaved,
    kMouse,
    kKeyboard,
    "To enter fitting parameters setting mode, Right mouse click; To cancel this ROI, use 'B'",
    {"---- Zooming/ROI setting mode for asymmetric profile fitting ----", kNoCornerLines},
    {kOneCornerHelpTitle, kOneCornerLines},
    {kRoiSelectedHelpTitle, kRoiSelectedLines},
};

TextLines peakRoiSelectedLines() {
    return selectedRegionLines(kPeakRoiTexts);
}
