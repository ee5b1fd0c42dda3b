#pragma once
// How long the window tests wait for each thing. The waits poll and end as soon as the
// thing happens; the limits are generous for a loaded machine.

#include <chrono>

inline constexpr std::chrono::milliseconds kServerStart = std::chrono::seconds{20};
inline constexpr std::chrono::milliseconds kWindowAppear = std::chrono::seconds{20};
inline constexpr std::chrono::milliseconds kCursorWait = std::chrono::seconds{20};
inline constexpr std::chrono::milliseconds kReaction = std::chrono::seconds{3};  // per try
inline constexpr std::chrono::milliseconds kProgramEnd = std::chrono::seconds{20};
inline constexpr std::chrono::milliseconds kToolRun = std::chrono::seconds{10};

// A click or key that the device lost (sent while it was not yet listening) is sent again,
// up to this many times in all.
inline constexpr int kSendAttempts = 4;
