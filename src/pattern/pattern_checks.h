#pragma once
// What every reader does once the values are in: angles from the grid, and the messages
// about the number of points.

#include <cstddef>
#include <string>

#include "pattern/pattern_store.h"

class Console;

// tth[i] = i * tthstep + tthmin for i = first..last, computed in double and stored as float.
void computeTth(PatternStore& store, int first, int last);

// A pattern needs at least 3 points; with fewer, says so and returns false.
bool hasEnoughPoints(Console& console, int ilast);

// "N data points read." with N = ilast + 1.
void reportPointsRead(Console& console, int ilast);

// For a pattern of more points than the store holds: says so and names the bin that fits
// ("... sum neighbours with xrdconvert --bin N."). count is the points of the file; binned
// by bin (above 1), what counts is the binned pattern, which the message names too.
void reportTooManyPoints(Console& console, std::size_t count, int bin = 1);

// The index of the first point whose angle lies more than a third of a step off the grid of
// tthmin and tthstep (farther than any rounding of the angles a file writes), or else of
// the point where the angles jump, their mean misfit to the grid shifting by more than 0.12
// of a step; -1 when every point lies on the grid.
int firstOffGrid(const PatternStore& store);

// Why a pattern's angles cannot place anything by its step, naming the first point off the
// grid and the way out; empty when every point lies on the grid.
std::string offGridReason(const PatternStore& store);
