#include "view/screen.h"

#include "console/console.h"
#include "view/graphics.h"

void reportInitializationFailure(Console& console, const Graphics& gfx) {
    console.print("PGPLOT initialization fail!!!\n");
    const std::string reason = gfx.openFailure();
    if (!reason.empty()) console.print("%s\n", reason.c_str());
}

bool openScreen(Console& console, Graphics& gfx, const ScreenColours& colours) {
    if (gfx.open("/gw") <= 0) {
        reportInitializationFailure(console, gfx);
        return false;
    }
    gfx.ask(false);
    setDeviceColours(gfx, colours);
    return true;
}
