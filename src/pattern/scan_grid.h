#pragma once
// The common angle grid of a merge: every record of every file is summed into the point
// nearest to its angle. The first record fixes tthmin, the second the step; later records
// must lie within 0.3 steps of a grid point.

#include <string>

#include "pattern/pattern_store.h"
#include "pattern/scan_record.h"

class Console;

enum class Placement {
    Summed,          // the record's counts and monitor were added to its point
    Rejected,        // the record was refused after its message and a key press
    BeyondCapacity,  // the point lies past index 19000: the whole read ends here
};

class ScanGrid {
  public:
    // Sets cts and sig to 0.0 over the whole capacity: during the merge they hold the sums
    // of dead-time corrected counts and of monitor counts.
    ScanGrid(PatternStore& store, Console& console);

    // line is the record's text, for the messages; fileNumber counts the files from 1.
    Placement add(const ScanRecord& record, const std::string& line, int fileNumber);

    // The largest index that received a record (0 before any).
    int highestIndex() const { return highest_; }

  private:
    Placement placeOnGrid(float tth, int fileNumber, int& index);
    Placement accumulate(int index, float counts, float monitor);

    PatternStore& store_;
    Console& console_;
    int accepted_ = 0;  // records summed so far; the first two define the grid
    int highest_ = 0;
};
