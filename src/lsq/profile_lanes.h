#pragma once
// The profile of one peak at several points at once, from the peak's table. Each point
// keeps its own Simpson sums, summed in the same order and arithmetic as profile_point,
// so every value equals profile_point's bit for bit; side by side, the points' sums run
// in the processor's vector lanes instead of waiting on one another.

#include <array>

#include "lsq/profile.h"
#include "lsq/profile_table.h"

// Points one call takes: two groups of sixteen on AVX-512, each group's doubles two
// registers, so that four independent chains of sums keep the adder busy while each waits
// on its own rounding to float (narrower sets take more, narrower groups).
inline constexpr int kLanes = 32;

using LanePoints = std::array<float, kLanes>;                  // tth of the points
using LaneComponents = std::array<ProfileComponents, kLanes>;  // L and G at each

// The components at the points x, of which only the first `count` (1 to kLanes) are
// needed: lane groups past them may be left out, their components untouched.
void profileLanes(const ProfileTable& table, const LanePoints& x, int count, LaneComponents& out);

// The instruction sets the lanes run on. Each rounds every operation alike (none fuses a
// multiply and an add), so all give the same bits; the wider ones are only quicker.
enum class LaneIsa { Baseline, Avx2, Avx512 };
bool laneIsaSupported(LaneIsa isa);

// From now on the lanes run on `isa`, or on the widest narrower set the processor has. At
// start they run on the widest set it has.
void useLaneIsa(LaneIsa isa);
LaneIsa laneIsaInUse();
