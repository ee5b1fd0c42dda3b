#pragma once
// The stored peak positions (pktth, pkcts, pklast in the shared point list) and what
// belongs to them: the FWHMs of the latest accepted fit in the FitBlock.

struct PeakSideState;
struct PointList;

// Empties the list and the FitBlock: every entry -500.0, no entry stored.
void emptyPeakList(PointList& points, PeakSideState& peaks);

// Removes entry `index`; the later entries move down one place and the vacated last slot
// holds -500.0 again.
void removePeak(PointList& points, int index);
