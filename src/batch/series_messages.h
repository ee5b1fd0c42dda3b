#pragma once
// What xrdfit says about a series besides its table, each message without the program's
// name before it: shared by every front end of a series fit.

#include <string>
#include <vector>

#include "batch/series_run.h"

// The messages about a pattern before its rows: its radiation when it differs from
// `radiationSaid` (a series of one instrument says it once; a change is said again, and
// `radiationSaid` follows), why it was not fitted, and the W/R note.
std::vector<std::string> outcomeMessages(const PatternOutcome& outcome, std::string& radiationSaid);

// "NAME: region R: NOTE" for a fit with a note.
std::string regionMessage(const PatternOutcome& outcome, int regionNumber, const RegionFit& fit);

// "F of N fits failed"
std::string failedCount(int failed, int fits);

// The cores this process may run on (a batch system's share, not the whole machine's): the
// default number of threads of a series.
int availableCores();
