#pragma once
// What xrdfit says about a series besides its table, each message without the program's
// name before it: shared by every front end of a series fit.

#include <string>
#include <vector>

#include "batch/series_run.h"

// What the series has said so far of the notes it says only when they change.
struct SaidSoFar {
    std::string radiation;
    std::string wor;
};

// The messages about a pattern before its rows: its radiation and its W/R note when they
// differ from what was said (a series of one instrument says them once; a change is said
// again, and `said` follows), and why it was not fitted.
std::vector<std::string> outcomeMessages(const PatternOutcome& outcome, SaidSoFar& said);

// "NAME: region R: NOTE" for a fit with a note.
std::string regionMessage(const PatternOutcome& outcome, int regionNumber, const RegionFit& fit);

// "F of N fits failed"
std::string failedCount(int failed, int fits);

// The cores this process may run on (a batch system's share, not the whole machine's): the
// default number of threads of a series.
int availableCores();
