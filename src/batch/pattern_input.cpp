#include "batch/pattern_input.h"

#include <cstdio>
#include <sstream>

#include "console/console.h"
#include "fit/ascending_twin.h"
#include "import/radiation_choice.h"
#include "open/load.h"
#include "pattern/grid_angles.h"
#include "pattern/pattern_file_open.h"

bool readPattern(const std::string& name, const ImportRequest& request, PatternStore& store,
                 std::string& why) {
    if (name.size() >= kNameBufferSize) {
        why = "a name of " + std::to_string(kNameBufferSize) + " characters or more is not read";
        return false;
    }
    const PatternFileOpening opening = openPatternFile(name);
    if (!opening.file) {
        why = opening.refusal.empty() ? "cannot be opened" : opening.refusal;
        return false;
    }
    std::fclose(opening.file);
    // Nothing answers on the console: a raw scan set is read from its first file alone.
    std::istringstream nothing;
    std::ostringstream said;
    Console console(nothing, said);
    DataFileName dataFile;
    if (loadPatternFile(name, request, console, store, dataFile)) {
        prepareForFit(store, request.radiation);
        return true;
    }
    why = said.str();
    while (!why.empty() && (why.back() == '\n' || why.back() == ' ')) why.pop_back();
    if (why.empty()) why = "not read";
    return false;
}

void prepareForFit(PatternStore& store, const RadiationRequest& request) {
    // Fitted as xrdpick fits it: a pattern whose angles decrease as its ascending twin.
    if (anglesDecrease(store)) store = *ascendingTwin(store);
    snapToGrid(store);
    store.radiation = chooseRadiation(store.radiation, request);
}
