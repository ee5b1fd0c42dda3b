#pragma once
// Printing one page to a device that the user names on the console: the screen device is
// closed meanwhile and opened again afterwards.

#include "view/device_colours.h"

class Console;
class Graphics;

enum class DeviceState {
    Hardcopy,  // the named device is open: draw the page to it
    Screen,    // it could not be opened; the screen device is open again, nothing to print
    Lost,      // no device is open: the run cannot go on
};

// Closes the screen device and opens the device the user names.
DeviceState beginHardcopy(Console& console, Graphics& gfx, const ScreenColours& colours);

// Closes the printed page and opens the screen device again; false when none can be opened.
bool returnToScreen(Console& console, Graphics& gfx, const ScreenColours& colours);
