#pragma once
// The peak position file (.cdt, named after the data file) and the loading of positions
// from such a file or from a *.fit results file.

struct RunState;

enum class PeakSave {
    Empty,   // nothing to save: nothing written
    Saved,   // written; the side is then entered afresh (the list leaves memory)
    Failed,  // the file could not be created: message printed, the list kept
};

PeakSave savePeakPositions(RunState& state);

enum class PeakLoad {
    Cancelled,  // empty answer: no new page
    Done,       // loaded, or a message printed: a new page
};

PeakLoad loadPeakPositions(RunState& state);
