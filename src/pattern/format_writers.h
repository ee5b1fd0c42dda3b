#pragma once
// The four processed formats, each written into an open file. Every writer returns the
// number of values that its fields cannot hold faithfully (see fixed_fields.h).

#include <cstdio>
#include <string>

#include "pattern/pattern_store.h"

// XRS82: one "%8.3f %7ld %8.1f" line per point, angle, count and standard deviation.
int writeXy(std::FILE* out, const PatternStore& store);

// Wyriet: a header of tthmin, tthstep, tthmax, then counts in lines of 8.
int writeWyr(std::FILE* out, const PatternStore& store);

// PROFIN: a header, then for every 10 points a counts line and a weights line.
int writeDat(std::FILE* out, const PatternStore& store);

// GSAS standard data file: title, BANK line, then records of 5 points with their ESDs.
int writeGda(std::FILE* out, const PatternStore& store, const std::string& title);
