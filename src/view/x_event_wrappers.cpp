// The X event calls that libgiza makes to read the cursor, defined in the executable so
// that they take the place of libX11's: each forwards to the real call and maps the
// mouse buttons of the event it hands back (see x_button_map.h). libgiza 1.3.2 reads
// events with exactly these three calls. This file is linked into the executable, not
// into a library, and the executable exports its symbols, so that libgiza binds to these
// definitions at run time.

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "view/x_button_map.h"

namespace {

// The same call in the next object of the search order, i.e. libX11.
template <typename Function>
Function realCall(const char* name) {
    void* found = dlsym(RTLD_NEXT, name);
    if (!found) {
        std::fprintf(stderr, "xrdpick: the X library offers no %s\n", name);
        std::abort();
    }
    return reinterpret_cast<Function>(found);
}

using WindowEventCall = int (*)(Display*, Window, long, XEvent*);
using CheckWindowEventCall = Bool (*)(Display*, Window, long, XEvent*);
using NextEventCall = int (*)(Display*, XEvent*);

}  // namespace

extern "C" {

int XWindowEvent(Display* display, Window window, long eventMask, XEvent* event) {
    static const auto real = realCall<WindowEventCall>("XWindowEvent");
    const int result = real(display, window, eventMask, event);
    mapCursorButton(*event);
    return result;
}

Bool XCheckWindowEvent(Display* display, Window window, long eventMask, XEvent* event) {
    static const auto real = realCall<CheckWindowEventCall>("XCheckWindowEvent");
    const Bool found = real(display, window, eventMask, event);
    if (found) mapCursorButton(*event);
    return found;
}

int XNextEvent(Display* display, XEvent* event) {
    static const auto real = realCall<NextEventCall>("XNextEvent");
    const int result = real(display, event);
    mapCursorButton(*event);
    return result;
}

}  // extern "C"
