#pragma once
// Patterns of a series, read by the load step of the interactive program (every format it
// reads), with no one at the console to answer its prompts.

#include <string>

#include "import/import_readers.h"
#include "pattern/pattern_store.h"

// True with the pattern in the store, ascending, with the radiation the file states or else
// the request's. Otherwise `why` says what went wrong, in the
// readers' own words where they gave any. request: --from and --block, as xrdconvert takes
// them.
bool readPattern(const std::string& name, const ImportRequest& request, PatternStore& store,
                 std::string& why);

// A pattern read or built by other means made ready as readPattern makes a file's:
// ascending, its angles on its grid where the file rounded them, with the radiation it
// states or else the request's.
void prepareForFit(PatternStore& store, const RadiationRequest& request);
