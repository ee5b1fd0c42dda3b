#pragma once
// The load step: obtains a data file name (command line first, then the console), recognises
// its format and fills the store, asking again after every failed attempt.

#include <cstdio>
#include <string>
#include <vector>

#include "import/import_readers.h"
#include "pattern/data_file_name.h"
#include "pattern/pattern_store.h"

class Console;

// True with a pattern of at least 3 points loaded and the name and format code set; false
// when the user ended the run at the prompt ("Bye." has been printed). A format named with
// --from (from, empty when none) reads the command-line file. The name's format follows
// recogniseTypedFormat.
bool loadPattern(const std::vector<std::string>& args, Console& console, PatternStore& store,
                 DataFileName& dataFile, const std::string& from = "");

// Every format but some instrument files holds one range: a range above 1 is refused with
// a message (xrdconvert --block).
bool holdsRange(int range, Console& console);

// Reads an opened file that is not a raw scan, whose format code (or --from format,
// options.format) dataFile holds, and sets the code to what it turned out to be ('t' for a
// .xy file read as a text pattern). options.bin bins any format; options.range above 1 is
// refused for every format but an instrument file of several ranges. The caller closes the
// file.
bool readDataFile(std::FILE* file, const ImportRequest& options, Console& console,
                  PatternStore& store, DataFileName& dataFile);

// One attempt on a named file, with no prompt: the format told by the name's last extension,
// or the
// instrument format options.format when it is not empty; options.range and options.bin as
// readDataFile takes them. True when the pattern loaded; the name and format code are set
// only then. Further raw scans of a SUPER set are asked for on the console.
bool loadPatternFile(const std::string& name, const ImportRequest& options, Console& console,
                     PatternStore& store, DataFileName& dataFile);
