#pragma once
// The four processed-format writers, offered one after the other at the end of a run.

#include "pattern/pattern_store.h"

class Console;

// Asks for a file name for each format in the fixed order XRS82, Wyriet, PROFIN, GSAS and
// writes the pattern; an empty answer skips a format. Returns 0 when every format was
// written or skipped, -2 .. -5 when the file of that format could not be created (the
// formats after it are then not offered).
int writeAllFormats(Console& console, const PatternStore& store);
