#pragma once
// The stored peak positions (pktth, pkcts, pklast in the shared point list) and what
// belongs to them: the FWHMs of the latest accepted fit in the FitBlock.

struct PeakSideState;
struct PlotWindow;
struct PointList;

// Empties the list and the FitBlock: every entry -500.0, no entry stored.
void emptyPeakList(PointList& points, PeakSideState& peaks);

// The first entry within 0.003 x the window's width of two-theta x (intensity does not
// count), or -1 when none is that close.
int peakNear(const PointList& points, float x, const PlotWindow& win);

// Removes entry `index`; the later entries move down one place and the vacated last slot
// holds -500.0 again.
void removePeak(PointList& points, int index);
