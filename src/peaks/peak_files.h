#pragma once
// The peak position file (.cdt, named after the data file) and the loading of positions
// from such a file or from a *.fit results file.

#include <optional>
#include <string>

struct RunState;

enum class PeakSave {
    Empty,   // nothing to save: nothing written, the window unchanged
    Saved,   // written; the list and the FitBlock are emptied and ViewFlag is
             // FullScaleReset, so the side is entered afresh
    Failed,  // the file could not be created or written: message printed, the list kept
};

// Writes every position not above 350.0, ascending, "%8.4f" a line.
PeakSave savePeakPositions(RunState& state);

enum class PeakLoad {
    Cancelled,  // empty answer (or end of input): no new page
    Done,       // loaded, or a message printed: a new page
};

// Asks for a file name and appends the first number of every line that is not a '#'
// comment, with height 0.0, up to the list's capacity.
PeakLoad loadPeakPositions(RunState& state);

struct PointList;

// Writes the positions of the list as a save does, to the named file. For programs that
// name their own files: the message naming the file when it cannot be created or written
// completely, nothing when it was written.
std::optional<std::string> writePeakPositionFile(const std::string& name, const PointList& list);
