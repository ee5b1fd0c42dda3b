#include "peaks/peak_side.h"

#include "driver/run_state.h"
#include "peaks/fitting_mode.h"
#include "peaks/peak_roi_mode.h"

namespace {

SideOutcome sideOutcome(const PeakRoiOutcome& outcome) {
    switch (outcome.exit) {
        case PeakRoiExit::ToBackground:
            return {SideExit::ToOtherSide};
        case PeakRoiExit::DeviceFailed:
            return {SideExit::DeviceFailed};
        case PeakRoiExit::ToFitting:
        case PeakRoiExit::Quit:
            break;
    }
    return {SideExit::Quit, outcome.key};
}

}  // namespace

// The region choice and the fitting mode take turns until the user leaves the side; the
// fitting mode always hands back with no corner given.
SideOutcome runPeakSide(RunState& state) {
    for (;;) {
        const PeakRoiOutcome roi = runPeakRoiMode(state);
        if (roi.exit != PeakRoiExit::ToFitting) return sideOutcome(roi);
        const FittingOutcome fitting = runFittingMode(state);
        switch (fitting.exit) {
            case FittingExit::BackToRoi:
                state.view.roi = RoiState::NoCorner;
                break;
            case FittingExit::Quit:
                return {SideExit::Quit, fitting.key};
            case FittingExit::DeviceFailed:
                return {SideExit::DeviceFailed};
        }
    }
}
