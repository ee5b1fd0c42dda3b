#pragma once
// One range of an instrument file as a reader gives it: the scan, or why there is none.

#include <optional>
#include <string>

#include "import/imported_scan.h"

struct InstrumentScan {
    std::optional<ImportedScan> scan;  // nothing when the file cannot be read
    std::string format;                // what the file was read as ("Siemens/Bruker RAW, ver. 3")
    int rangeCount = 0;                // ranges (scans, blocks) in the file
    std::string error;                 // why there is no scan
};

// Why a file of rangeCount ranges gives no range `range`.
inline std::string noSuchRange(int rangeCount, int range) {
    return "the file holds " + std::to_string(rangeCount) + " range(s): there is no range " +
           std::to_string(range);
}

// Range `range` (from 1) of the bytes of an instrument file in `format`, a name of
// instrument_formats.h: UXD by uxd_scan.h, every other format through xylib.
InstrumentScan readInstrumentScan(const std::string& bytes, const std::string& format, int range);
