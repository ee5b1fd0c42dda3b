// xrdfit's drawing device as a module of its own: PGPLOT, giza and with them cairo and X11
// are loaded (batch/picture_device.h) only by a run that draws pictures, and a run that
// only fits starts without them.

#include "view/pgplot_graphics.h"

extern "C" Graphics* xrdfit_picture_device(Console* console) {
    return new PgplotGraphics(*console);
}
