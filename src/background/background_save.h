#pragma once
// Saving the background points for FullProf (.fbg) and GSAS (.gbg), named after the data
// file: quartz.xy gives quartz.fbg and quartz.gbg.

#include "pattern/data_file_name.h"
#include "points/point_list.h"

class Console;

enum class SaveResult {
    NothingToSave,  // the list is empty: no file written
    Saved,          // both files written
    Failed,         // a file could not be written; the points are still in the list
};

// Afterwards the data file name carries its format's lower-case extension again.
SaveResult saveBackgroundPoints(Console& console, const PointList& list, DataFileName& dataFile);
