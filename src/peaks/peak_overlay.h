#pragma once
// The stored peak positions over a page: a marker and a two-theta label per entry, and the
// FWHM arrows of the latest accepted fit paired with the last entries of the list.

struct RunState;

// Markers (colour 11, marker 31) and labels in `labelColour`, then the FWHM marks; ends in
// colour 1.
void drawStoredPeaks(RunState& state, int labelColour);

// The FWHM arrows and labels; drawn only for list entries that exist.
void drawFwhmMarks(RunState& state);
