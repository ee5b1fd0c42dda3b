#include "good_pattern.h"

#include "fuzz_support.h"
#include "open/load.h"
#include "pattern/data_file_name.h"

namespace {

constexpr float kGarbage = 12345.0f;
const char* const kGoodPattern =
    "10.00 100.0 10.0\n10.02 200.0 14.1\n10.04 300.0 17.3\n10.06 250.0 15.8\n";

PatternStore& goodStorage() {
    static PatternStore store;
    return store;
}

}  // namespace

void prepareGoodPattern() {
    writeScratchFile(kGoodName, kGoodPattern);
    ScriptedConsole quiet("");
    DataFileName name;
    require(loadPattern({kGoodName}, quiet.console, goodStorage(), name), "good.xy loads");
}

const PatternStore& goodStore() {
    return goodStorage();
}

void fillGarbage(PatternStore& store) {
    store.tth.fill(kGarbage);
    store.cts.fill(kGarbage);
    store.sig.fill(kGarbage);
    store.ilast = 7;
    store.tthmin = store.tthstep = store.tthmax = kGarbage;
}
