#pragma once
// The profile of one peak at several points at once, from the peak's table. Each point
// keeps its own Simpson sums, summed in the same order and arithmetic as profile_point,
// so every value equals profile_point's bit for bit; side by side, the points' sums run
// in the processor's vector lanes instead of waiting on one another.

#include <array>

#include "lsq/profile.h"
#include "lsq/profile_table.h"

inline constexpr int kLanes = 4;

using LanePoints = std::array<float, kLanes>;                  // tth of the points
using LaneComponents = std::array<ProfileComponents, kLanes>;  // L and G at each

void profileLanes(const ProfileTable& table, const LanePoints& x, LaneComponents& out);
