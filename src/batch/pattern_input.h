#pragma once
// Patterns of a series, read by the load step of the interactive program (every format it
// reads), with no one at the console to answer its prompts.

#include <string>

#include "pattern/pattern_store.h"

// True with the pattern in the store. Otherwise `why` says what went wrong, in the
// readers' own words where they gave any.
bool readPattern(const std::string& name, PatternStore& store, std::string& why);
