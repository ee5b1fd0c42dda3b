#pragma once
// The readers of the load step for data that no Rietveld program reads as it is: instrument
// files through xylib, and general text patterns. Like the processed-format readers they
// read an opened file into the store and print their messages; the caller closes the file.

#include <cstdio>
#include <string>

#include "import/radiation_choice.h"
#include "pattern/pattern_store.h"

class Console;

// What to read from an instrument file, and how.
struct ImportRequest {
    std::string format;               // a name of instrument_formats.h (kGuessRaw for .raw)
    int range = 1;                    // which range of a file of several, from 1
    int bin = 1;                      // neighbours summed into one point (1: none)
    RadiationRequest radiation = {};  // what the batch programs use when the file states none
};

// The pattern's radiation is what the file states, if anything.
bool readInstrumentFile(std::FILE* file, const ImportRequest& request, Console& console,
                        PatternStore& store);

// A general text pattern (text_scan.h); a file that is none gets "Error in *.xy file".
bool readTextPattern(std::FILE* file, int bin, Console& console, PatternStore& store);

// How a .xy file was read.
enum class XyReading { Failed, AsXy, AsText };

// A .xy file whose first line holds three numbers (or that is empty) is a file of the .xy
// format, read by its reader with all its messages; any other goes to readTextPattern.
XyReading readXyOrText(std::FILE* file, int bin, Console& console, PatternStore& store);
