#pragma once
// The peak position file (.cdt, named after the data file) and the loading of positions
// from such a file or from a *.fit results file.

struct RunState;

enum class PeakSave {
    Empty,   // nothing to save: nothing written, the window unchanged
    Saved,   // written; the list and the FitBlock are emptied and ViewFlag is
             // FullScaleReset, so the side is entered afresh
    Failed,  // the file could not be created or written: message printed, the list kept
};

// Writes the list to the data file's .cdt (points/peak_position_files.h).
PeakSave savePeakPositions(RunState& state);

enum class PeakLoad {
    Cancelled,  // empty answer (or end of input): no new page
    Done,       // loaded, or a message printed: a new page
};

// Asks for a file name and appends the first number of every line that is not a '#'
// comment, with height 0.0, up to the list's capacity.
PeakLoad loadPeakPositions(RunState& state);
