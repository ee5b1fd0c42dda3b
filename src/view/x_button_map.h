#pragma once
// The screen device reports a cursor click by the X button number: giza's X11 device gives
// the left button 'A', the middle button 'D' and the right button, like any button above
// the four scroll buttons, 'X' - the program's quit key. The program wants every click
// other than the left one as 'D', so the right button and the extra buttons are renumbered
// as the middle button before giza reads the event.

#include <X11/Xlib.h>

// Renumbers button 3 and buttons 8 and up of a ButtonPress or ButtonRelease event as
// button 2. Left, middle and scroll buttons (1, 2, 4 to 7) and other events stay as they
// are. Renumbering an event twice changes nothing more.
void renumberButton(XEvent& event);
