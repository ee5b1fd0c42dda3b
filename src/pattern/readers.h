#pragma once
// The readers of the load step, one per source format. Each reads an opened file into the
// store, prints its messages and returns true when the pattern loaded (at least 3 points).
// The caller has filled the arrays with the unset value; the processed-format readers leave
// the file open for the caller to close.

#include <cstdio>
#include <vector>

#include "pattern/pattern_store.h"

class Console;

// XRS82: lines of tth, cts, sig; every bin neighbours summed into one point as they are
// read (xrdconvert --bin), so that a file too long for the store can still be read.
bool readXy(std::FILE* file, int bin, Console& console, PatternStore& store);

inline bool readXy(std::FILE* file, Console& console, PatternStore& store) {
    return readXy(file, 1, console, store);
}

// Wyriet: a tthmin, tthstep, tthmax line, then up to 8 intensities per line (sig untouched).
bool readWyr(std::FILE* file, Console& console, PatternStore& store);

// PROFIN: a tthmin, tthstep, angle-before-last line, then pairs of lines of up to 10 fixed
// 8-character fields: intensities, then their weights.
bool readDat(std::FILE* file, Console& console, PatternStore& store);

// GSAS standard data, bank 1, constant step: a title, the BANK line, then lines of up to five
// intensity and ESD pairs in 8-character fields.
bool readGda(std::FILE* file, Console& console, PatternStore& store);

// Raw scans: merges the first file and the further ones named on the names console (the
// merge closes its files), then checks the point count and computes the angles. `refused`,
// when given, receives the number of records refused in each file (super_reader.h).
bool readSuper(std::FILE* first, Console& console, PatternStore& store, Console& names,
               std::vector<int>* refused = nullptr);

inline bool readSuper(std::FILE* first, Console& console, PatternStore& store) {
    return readSuper(first, console, store, console);
}

using ProcessedReader = bool (*)(std::FILE*, Console&, PatternStore&);

// The reader of a processed format code ('x', 'w', 'd', 'g'); nullptr for any other code.
ProcessedReader processedReader(char format);
