#pragma once
// Sums neighbouring points of a pattern that is too long for the store.

#include <vector>

struct PatternPoints {
    std::vector<double> tth;
    std::vector<double> cts;
    std::vector<double> sig;
};

// Replaces every group of n neighbours by one point: angles averaged, counts summed, sig
// added in quadrature. A last group of fewer than n points is dropped; returns how many
// points that drops.
int binPoints(PatternPoints& points, int n);
