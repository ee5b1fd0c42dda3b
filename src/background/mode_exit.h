#pragma once
// How one background mode hands over: to the other background mode, or out of the side.

#include "driver/side_outcome.h"

enum class BackgroundMode { RoiSetting, Extraction };

struct ModeExit {
    bool leavesSide = false;
    BackgroundMode next = BackgroundMode::RoiSetting;  // when staying on the side
    SideOutcome outcome{SideExit::Quit};               // when leaving it

    static ModeExit to(BackgroundMode mode) { return {false, mode, {SideExit::Quit}}; }
    static ModeExit leave(SideExit exit, char key = 'n') {
        return {true, BackgroundMode::RoiSetting, {exit, key}};
    }
};
