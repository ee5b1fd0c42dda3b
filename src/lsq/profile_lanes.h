#pragma once
// The profile of one peak at several points at once, from the peak's table. Each point
// keeps its own Simpson sums, summed in the same order and arithmetic as profile_point,
// so every value equals profile_point's bit for bit; side by side, the points' sums run
// in the processor's vector lanes instead of waiting on one another.

#include <array>

#include "lsq/profile.h"
#include "lsq/profile_table.h"

// Two AVX-512 registers of doubles: two independent chains of sums keep the adder busy
// while each waits on its own rounding to float.
inline constexpr int kLanes = 16;

using LanePoints = std::array<float, kLanes>;                  // tth of the points
using LaneComponents = std::array<ProfileComponents, kLanes>;  // L and G at each

void profileLanes(const ProfileTable& table, const LanePoints& x, LaneComponents& out);

// The instruction sets the lanes run on. Each rounds every operation alike (none fuses a
// multiply and an add), so all give the same bits; the wider ones are only quicker.
enum class LaneIsa { Baseline, Avx2, Avx512 };
bool laneIsaSupported(LaneIsa isa);

// From now on the lanes run on `isa`, or on the widest narrower set the processor has. At
// start they run on the widest set it has.
void useLaneIsa(LaneIsa isa);
LaneIsa laneIsaInUse();
