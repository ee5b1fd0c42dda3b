#pragma once
// The screen device "/gw", opened at the start of a run and again after each print: with
// PGPLOT's screen colours and no prompting between pages.

#include "view/device_colours.h"

class Console;
class Graphics;

// "PGPLOT initialization fail!!!", then the device's reason when it gives one (such as no
// X display).
void reportInitializationFailure(Console& console, const Graphics& gfx);

// Opens the screen; when it cannot be opened, reports so and returns false.
bool openScreen(Console& console, Graphics& gfx, const ScreenColours& colours);
