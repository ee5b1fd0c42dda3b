#pragma once
// Merges raw scan files into the pattern: dead-time correction, summing on a common angle
// grid, normalisation to a fixed monitor count. Asks for the further files itself.

#include <cstdio>

#include "pattern/pattern_store.h"

class Console;

// Reads the already opened first file (and closes it) and the further files named on the
// names console: the user at the same console in a session, a prepared list in a batch, whose
// names the key pauses on the other console cannot then swallow. Fills cts, sig, ilast,
// tthmin, tthstep and tthmax (not tth). Returns 0 when the read ended normally, -3 when the
// first file's column line cannot be decoded.
int readSuperScans(std::FILE* first, Console& console, PatternStore& store, Console& names);

inline int readSuperScans(std::FILE* first, Console& console, PatternStore& store) {
    return readSuperScans(first, console, store, console);
}
