#pragma once
// Whether an x axis can be 2theta, judged by the name a file gives it.

#include <string>

// What the axis holds when its name says it is not 2theta ("d-spacing", "time of flight",
// "energy", "channel numbers", "Omega", ...); "" when it is 2theta or the name says nothing
// (most formats name no axis, and their scans are 2theta scans).
std::string otherThanTth(const std::string& name);
