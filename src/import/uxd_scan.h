#pragma once
// Bruker (Siemens) UXD, the text export of the diffractometer software: "_KEY=value" lines,
// ';' comments, and per range a _DRIVE line, its settings (_START, _STEPSIZE, _STEPTIME, ...)
// and a data section: a data keyword, then one column of intensities, several intensities per
// line (_COUNTS, _CPS), or angle-intensity pairs (_2THETACOUNTS, _2THETACPS).

#include <string>

#include "import/instrument_scan.h"

// What the messages call the format.
inline constexpr const char* kUxdFormatName = "Bruker Diffrac-AT UXD";

// range counts from 1, the data sections in the order of the file. Whatever the bytes, the
// answer is a scan or a message naming what is wrong.
InstrumentScan readUxdScan(const std::string& bytes, int range);
