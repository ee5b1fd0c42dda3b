#include "peaks/fitting_texts.h"

#include <array>

namespace {

constexpr std::array<const char*, 11> kHelpLines = {
    "Left mouse click in the coordination box - Select current position.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click in the coordination box - Deselect current position.",
    "Right mouse click out of the coordination box - Autoscale.",
    "B - Cancel/Go back to previous step.",
    "S - Save current peak positions into file.",
    "R - Refresh.",
    "V - Reset w/r value to refine.",
    "F/G - Start fitting with individual/common FWHM.",
    "X - Save & Quit current data into other data file(s).",
    "Q - Instant Quit.",
};

const char* messageText(FitMessage message) {
    switch (message) {
        case FitMessage::FitNotFound:
            return "I can not find the point to deselect. Try nearer position";
        case FitMessage::FitTooMany:
            return "9 peaks are maximum for simultaneous fitting";
        case FitMessage::FitTooClose:
            return "Points are too close. Try farther position";
        case FitMessage::FitNoPoints:
            return "There are no points to delete - Continue to select (new) points to fit";
        case FitMessage::FitTooFew:
            return "Not enough points are specified";
        case FitMessage::FitHint:
            break;
    }
    return "LC=select(first/last-BG pos.,others-PEAK pos.); RC=deselect; 'F/G'=do fitting";
}

}  // namespace

TextLines fittingLines(FitMessage message) {
    return {{"Zoomed screen : To scroll(autoscale), Left(Right) click outside of coordination "
             "box",
             messageText(message), "If done, hit 'S' in keyboard to save current peak positions",
             "Keyboard : B  S  R  V  F/G  X  Q , H = help"},
            4};
}

const HelpText kFittingHelp = {"---- Asymmetric profile fitting mode ----", kHelpLines};
