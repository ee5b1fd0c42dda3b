#pragma once
// Reads the bytes of an instrument file with xylib and takes one of its ranges as a scan.

#include <optional>
#include <string>

#include "import/imported_scan.h"

struct XylibScan {
    std::optional<ImportedScan> scan;  // nothing when the file cannot be read
    std::string format;                // what xylib read it as ("Siemens/Bruker RAW, ver. 3")
    int rangeCount = 0;                // ranges (xylib's blocks) in the file
    std::string error;                 // why there is no scan
};

// format: a name of instrument_formats.h, kGuessRaw included. range counts from 1.
XylibScan readXylibScan(const std::string& bytes, const std::string& format, int range);
