#pragma once
// What must hold after every event of a random session, whatever the user did. A broken
// invariant throws, so that the session stops at the event that broke it.

#include <set>
#include <stdexcept>
#include <string>

#include "driver/run_state.h"

class InvariantBroken : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class Side { Background, Peak };

// The window finite and non-empty, the point list within its capacity (and ascending on the
// background side, where the insertion rule keeps it so), the fit selection within its 11
// entries and ascending, no NaN in the fit engine's parameters or the FitBlock, and the
// pattern exactly as `loaded`: it never changes after the load.
void checkRunInvariants(const RunState& state, Side side, const PatternStore& loaded);

// The arguments of a page's env call: a finite, non-empty window.
void checkWindow(float xmin, float xmax, float ymin, float ymax);

// Every file in the working directory is one of `allowed`.
void checkNoUnaskedFiles(const std::set<std::string>& allowed);
