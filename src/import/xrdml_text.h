#pragma once
// What the xylib reader of XRDML files misses: the <counts> element of schema 1.5 and later
// (it knows only <intensities>), and the radiation the file states.

#include <string>

// True when the file has an element of counts for xylib to read.
bool hasXrdmlCounts(const std::string& xml);

// The XML text with <counts> elements renamed <intensities> when it has no <intensities> of
// its own; otherwise the text unchanged.
std::string withIntensities(const std::string& xml);

// Whether the counts of scan `range` (its <intensities> or <counts> element; the scans
// counted from 1 in the order of the file, as xylib's blocks) are counts per second, and its
// <commonCountingTime> that turns them into counts (0 when the scan states none).
bool xrdmlGivesRate(const std::string& xml, int range);
double xrdmlCountingTime(const std::string& xml, int range);

// "anode Cu, alpha1 1.5406, alpha2 1.54443, ratio 0.5" from the <anodeMaterial>, <kAlpha1>,
// <kAlpha2> and <ratioKAlpha2KAlpha1> elements of the <xrdMeasurement> that holds scan
// `range` (a file may hold measurements with different tubes); "" when it states none.
std::string xrdmlRadiation(const std::string& xml, int range);
