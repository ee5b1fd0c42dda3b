#pragma once
// The screen device reports a cursor click by the X button number: giza's X11 device gives
// the left button 'A' (but a control character while Shift is held), the middle button
// 'D' and the right button, like any button above the four scroll buttons, 'X' - the
// program's quit key. The program wants the left button as 'A' and every other click as
// 'D', so the events are mapped before giza reads them.

#include <X11/Xlib.h>

// For a ButtonPress or ButtonRelease event: renumbers button 3 and buttons 8 and up as
// button 2, and drops Shift from the state of a button 1 event. Middle and scroll buttons
// (2, 4 to 7) and other events stay as they are. Mapping an event twice changes nothing
// more.
void mapCursorButton(XEvent& event);
