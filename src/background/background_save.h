#pragma once
// Saving the background points for FullProf (.fbg) and GSAS (.gbg), named after the data
// file: quartz.xy gives quartz.fbg and quartz.gbg.

#include <optional>
#include <string>

#include "pattern/data_file_name.h"
#include "view/point_list.h"

class Console;

enum class SaveResult {
    NothingToSave,  // the list is empty: no file written
    Saved,          // both files written
    Failed,         // a file could not be written; the points are still in the list
};

// Afterwards the data file name carries its format's lower-case extension again.
SaveResult saveBackgroundPoints(Console& console, const PointList& list, DataFileName& dataFile);

// Writes both files as one result, for programs that name their own files: both are
// replaced, or neither (a failure of the second puts the first back). The message naming
// the file that failed; nothing when both were written.
std::optional<std::string> writeBackgroundFiles(const PointList& list,
                                                const DataFileName& dataFile);
