#pragma once
// Merges raw scan files into the pattern: dead-time correction, summing on a common angle
// grid, normalisation to a fixed monitor count. Asks for the further files itself.

#include <cstdio>
#include <vector>

#include "pattern/pattern_store.h"

class Console;

// How many records of each file were refused (a faulty line, a record off the grid, a value
// that is not a finite number): the count of file number k is at index k - 1.
using RefusedRecords = std::vector<int>;

// Reads the already opened first file (and closes it) and the further files named on the
// names console: the user at the same console in a session, a prepared list in a batch, whose
// names the key pauses on the other console cannot then swallow. Fills cts, sig, ilast,
// tthmin, tthstep and tthmax (not tth), and `refused` when given. Returns 0 when the read
// ended normally, -3 when the first file's column line cannot be decoded.
int readSuperScans(std::FILE* first, Console& console, PatternStore& store, Console& names,
                   RefusedRecords* refused = nullptr);

inline int readSuperScans(std::FILE* first, Console& console, PatternStore& store) {
    return readSuperScans(first, console, store, console);
}
