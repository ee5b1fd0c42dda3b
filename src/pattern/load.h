#pragma once
// The load step: obtains a data file name (command line first, then the console), recognises
// its format and fills the store, asking again after every failed attempt.

#include <cstdio>
#include <string>
#include <vector>

#include "pattern/data_file_name.h"
#include "pattern/pattern_store.h"

class Console;

// True with a pattern of at least 3 points loaded and the name and format code set; false
// when the user ended the run at the prompt ("Bye." has been printed).
bool loadPattern(const std::vector<std::string>& args, Console& console, PatternStore& store,
                 DataFileName& dataFile);

// One load attempt with no dialogue, for the batch programs: reads the opened file with the
// reader its name asks for, and closes it. False after the reader's message; the name and
// format code are set only when the pattern loaded.
bool loadOpenedFile(std::FILE* file, const std::string& name, Console& console,
                    PatternStore& store, DataFileName& dataFile);
