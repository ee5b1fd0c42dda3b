#pragma once
// How the computed-grid formats (.wyr, .dat, .gda) write tthmin and tthstep: a reader
// recomputes every angle from these two, so they get the decimals that this takes.

#include "pattern/pattern_store.h"

struct HeaderPrecision {
    double scale;  // header units per degree (GSAS gives centidegrees)
    int least;     // the decimals the format documents
    int most;      // the most its fields take
};

inline constexpr HeaderPrecision kDegreeHeader{1.0, 3, 8};         // .wyr, .dat
inline constexpr HeaderPrecision kCentidegreeHeader{100.0, 2, 6};  // .gda

// How far the written grid may lie from the pattern's: half the last decimal of the angles
// an .xy file lists.
inline constexpr double kHeaderDriftLimit = 0.0005;

struct GridHeader {
    int decimals;
    double tthmin;   // as written, in header units
    double tthstep;  // as written, in header units
    double drift;    // degrees between the written grid and the pattern's, at most
};

// The fewest decimals, from precision.least up, that keep the written grid within
// kHeaderDriftLimit of the pattern's grid at every point; precision.most when none does.
GridHeader gridHeader(const PatternStore& store, const HeaderPrecision& precision);
