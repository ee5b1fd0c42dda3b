#pragma once
// The one rule by which a pattern whose angles were read, not computed, gets its grid: the
// scalars tthmin, tthstep and tthmax by which every later step (the fit windows, the
// computed-grid writers) turns an angle into a point index and back.

#include <optional>

#include "pattern/pattern_store.h"

// Sets tthmin and tthmax to the first and the last angle, and tthstep to the first step
// whose grid holds every angle, that is, firstOffGrid finds none (an angle within a third
// of a step of its grid angle differs from it by the file's rounding only). The steps tried,
// in order: `preferred` (the step the file states, or the format's documented rule), the
// step of the first and last angle, and the least-squares step of a line through the first
// angle, which keeps a rounded last angle from tilting the grid; then `preferred` again,
// through the angles' mean rather than the first angle, which a coarse export may have
// rounded farther off (tthmin is then that grid's origin). When none holds, tthstep is
// the step of the first spacing (xyStep), so that for an irregular pattern firstOffGrid names
// the point where the spacing changes. True when the grid chosen holds every angle.
bool setAngleGrid(PatternStore& store, std::optional<double> preferred);

// The origin of the grid of `step` that fits the angles best by least squares: the mean of
// the angles less their steps, which a rounded first angle does not pull off.
double meanOrigin(const PatternStore& store, double step);
