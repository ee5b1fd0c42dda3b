#pragma once
// Reads the bytes of an instrument file with xylib and takes one of its ranges as a scan.

#include <string>

#include "import/instrument_scan.h"

// format: a name of instrument_formats.h, kGuessRaw included. range counts from 1.
InstrumentScan readXylibScan(const std::string& bytes, const std::string& format, int range);
