#pragma once
// Zooming to the region chosen on the peak side. The two-theta range always comes from the
// two corners; the intensity range from the corners for a box, from the data for a
// two-theta range. A region that cannot be drawn (no width, or for fitting no height above
// zero) is refused (false) and the window stays as it was.

struct RunState;

// Zoom and keep choosing regions: a box keeps its corners, a two-theta range is
// autoscaled to 1.1 x its largest intensity.
bool zoomToPeakRoi(RunState& state);

// Zoom before fitting: a box keeps its upper edge and puts the lower one at -0.1 x it, a
// two-theta range is autoscaled to 1.3 x its largest intensity.
bool zoomForFitting(RunState& state);
