#include "view/print.h"

#include "console/console.h"
#include "view/graphics.h"
#include "view/screen.h"

namespace {

// A device that could not be opened is reported, and the user keeps working on the
// interactive device rather than losing the session over a mistyped device name.
bool reopenInteractive(Console& console, Graphics& gfx, const ScreenColours& colours) {
    reportInitializationFailure(console, gfx);
    return openScreen(console, gfx, colours);
}

}  // namespace

// The device named may be the screen as well as a file: it gets the colours of its kind.
DeviceState beginHardcopy(Console& console, Graphics& gfx, const ScreenColours& colours) {
    gfx.end();
    console.print("Enter... \"Filename.ext/output-device\" in next line\n");
    if (gfx.begin(0, "?", 1, 1) != 1)
        return reopenInteractive(console, gfx, colours) ? DeviceState::Screen : DeviceState::Lost;
    gfx.ask(true);
    setDeviceColours(gfx, colours);
    return DeviceState::Hardcopy;
}

bool returnToScreen(Console& console, Graphics& gfx, const ScreenColours& colours) {
    gfx.end();
    console.print("Output is done. Just hit <Enter> to continue...\n");
    if (gfx.begin(0, "?", 1, 1) != 1) return reopenInteractive(console, gfx, colours);
    gfx.ask(false);
    setDeviceColours(gfx, colours);
    return true;
}
