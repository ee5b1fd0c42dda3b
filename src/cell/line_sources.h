#pragma once
// Where xrdcell takes its lines from, told apart by the file itself:
//   a .dsp file (xrdsuggest's "2theta d height" lines; the wavelength follows from the pairs),
//   an xrdfit results table (its ok rows with tth, tth_se and d; the first pattern's),
//   a plain list of two-theta values, one per line,
//   or else a pattern file of any format the programs read (pattern_lines.h).
// The radiation is the file's where it states one, else the command line's.

#include <string>

#include "cell/observed_lines.h"
#include "import/import_readers.h"

// Fewer usable lines than this leave nothing to index or refine.
inline constexpr int kFewestLines = 4;

struct LineRead {
    LineSet set;
    std::string error;  // why the source cannot be used, naming the file; empty when it can
    std::string note;   // what a reader should know about how it was read; or empty
};

LineRead readLineSource(const std::string& name, const ImportRequest& input);
