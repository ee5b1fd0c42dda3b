#pragma once
// How a top-level side (background or peak) hands control back to the driver.

enum class SideExit {
    ToOtherSide,   // switch to the other side, entered afresh
    Quit,          // take the end sequence with `key`
    DeviceFailed,  // the interactive device could not be opened again: status 1
};

struct SideOutcome {
    SideExit exit;
    char key = 'n';  // the key that ended the side, for the end sequence
};
