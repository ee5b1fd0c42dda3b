#pragma once
// The fitting mode: pick the two background ends and up to nine peaks of a region and fit
// them, individual FWHM (F) or common FWHM (G); accepted peaks join the peak list.

struct RunState;

enum class FittingExit {
    BackToRoi,     // to the region-choice mode, with ViewFlag as the mode left it
    Quit,          // the end sequence with `key`
    DeviceFailed,  // the device gives no cursor input: the run ends with status 1
};

struct FittingOutcome {
    FittingExit exit;
    char key = 'n';
};

// Entered after the zoom for fitting, with an empty selection.
FittingOutcome runFittingMode(RunState& state);
