#pragma once
// The console dialogue in which the user names a graphics device, as PGPLOT holds it when a
// program opens the device "?" (the hardcopy of key P and the return to the screen after it).

#include <string>

class Console;

// Prompts for a device specification such as "plot.png/png" and returns the answer without
// surrounding blanks; "" (also at end of input) stands for the default device, the screen.
// An answer starting with '?' lists the devices and asks again.
std::string askDeviceSpec(Console& console);
