#pragma once
// Dead-time correction of a detector reading: while the detector handles one photon it
// misses others, so a reading r in t seconds stands for r / f counts.

#include <string>

class Console;

// f = 1 - r * tau / t with tau = 3 microseconds. A counting time below 0.01 s, or a
// factor that is not positive, cannot be corrected: a message, and f = 1. The record line
// goes into the message about a short time.
float deadTimeFactor(float counts, float seconds, const std::string& line, Console& console);
