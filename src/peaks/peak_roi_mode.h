#pragma once
// The region-choice mode of the peak side: scroll, autoscale, zoom by two corners (a
// two-theta range or a box), show, delete, save and load the stored peak positions, and
// leave for the fitting mode or the background side, or quit.

struct RunState;

enum class PeakRoiExit {
    ToFitting,     // the window is zoomed for fitting; no corner is left
    ToBackground,  // the background side, entered afresh
    Quit,          // the end sequence with `key`
    DeviceFailed,  // no device or no cursor input left: status 1
};

struct PeakRoiOutcome {
    PeakRoiExit exit;
    char key = 'n';
};

PeakRoiOutcome runPeakRoiMode(RunState& state);
