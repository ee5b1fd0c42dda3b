#pragma once
// The lines of a pattern file: its peaks found as xrdsuggest finds them (Kα2 companions left
// out) and fitted as xrdfit --cdt fits such positions, the ok ones kept with their standard
// errors, as Kα1 lines.

#include <string>

#include "cell/observed_lines.h"
#include "import/import_readers.h"

// False, with `error` naming the file, when the pattern cannot be read or shows no peak.
bool patternLines(const std::string& name, const ImportRequest& input, LineSet& set,
                  std::string& error);
