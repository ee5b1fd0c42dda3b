#pragma once
// One random session: the whole program on a pattern chosen by the seed, driven by made-up
// cursor events and console lines, with the run's invariants checked before every event.

#include <string>

struct RandomSessionEnd {
    int events = 0;       // cursor events answered
    std::string failure;  // empty when every invariant held; otherwise what broke, and where
};

// Runs in the current directory, which should be empty; leaves the files the session wrote.
RandomSessionEnd runRandomSession(unsigned seed, int maxEvents);
