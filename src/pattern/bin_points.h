#pragma once
// Sums neighbouring points of a pattern: for a pattern too long for the store, or a coarser
// one on request (xrdconvert --bin).

#include <cstddef>
#include <vector>

#include "pattern/pattern_store.h"

class Console;

struct PatternPoints {
    std::vector<double> tth;
    std::vector<double> cts;
    std::vector<double> sig;
};

// Replaces every group of n neighbours by one point: angles averaged, counts summed, sig
// added in quadrature. A last group of fewer than n points is dropped; returns how many
// points that drops.
int binPoints(PatternPoints& points, int n);

// "Binned by n: N points from M." and, when points were dropped, a line that says so.
void reportBinning(Console& console, int n, std::size_t before, std::size_t after, int dropped);

// Bins a pattern already in the store by n (n > 1), as binPoints does; a sig the format
// leaves unset (.wyr) stays unset. The grid follows: tthstep n times the old one. False,
// after the message, when fewer than 3 points remain.
bool binPattern(PatternStore& store, int n, Console& console);
