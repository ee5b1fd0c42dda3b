#include "view/print.h"

#include "driver/console.h"
#include "view/graphics.h"

namespace {

// A device that could not be opened is reported, and the user keeps working on the
// interactive device rather than losing the session over a mistyped device name.
bool reopenInteractive(Console& console, Graphics& gfx) {
    console.print("PGPLOT initialization fail!!!\n");
    if (gfx.open("/gw") <= 0) return false;
    gfx.ask(false);
    return true;
}

}  // namespace

DeviceState beginHardcopy(Console& console, Graphics& gfx) {
    gfx.end();
    console.print("Enter... \"Filename.ext/output-device\" in next line\n");
    if (gfx.begin(0, "?", 1, 1) != 1)
        return reopenInteractive(console, gfx) ? DeviceState::Screen : DeviceState::Lost;
    gfx.ask(true);
    return DeviceState::Hardcopy;
}

bool returnToScreen(Console& console, Graphics& gfx) {
    gfx.end();
    console.print("Output is done. Just hit <Enter> to continue...\n");
    if (gfx.begin(0, "?", 1, 1) != 1) return reopenInteractive(console, gfx);
    gfx.ask(false);
    return true;
}
