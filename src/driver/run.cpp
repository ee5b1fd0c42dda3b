#include "driver/run.h"

#include <memory>
#include <new>

#include "background/background_side.h"
#include "driver/console.h"
#include "driver/recovery.h"
#include "driver/run_state.h"
#include "driver/side_outcome.h"
#include "pattern/load.h"
#include "pattern/writers.h"
#include "peaks/peak_side.h"
#include "view/graphics.h"

namespace {

const char* const kUsage =
    "Usage: xrdpick [DATAFILE]\n"
    "Picks background points and fits peaks of one powder X-ray diffraction pattern.\n"
    "DATAFILE is a processed pattern (.xy, .wyr, .dat, .gda) or the first of a set of raw\n"
    "scan files (an extension of three digits, such as scan.001). Without it the program\n"
    "asks for a name.\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n";

// Closes the device and, for a lower-case x or a pattern merged from raw scans, offers the
// pattern in the four processed formats. A file that could not be written whole ends the run
// with status 1, so that a script notices.
int endRun(RunState& state, char key) {
    state.gfx.end();
    if (key != 'x' && state.dataFile.format != 's') return 0;
    const int written = writeAllFormats(state.console, state.pattern);
    if (written == 0) {
        state.console.print(
            "SUPER/DATA file(s) converting to other data file(s) is successfully done...\n");
    }
    return written <= kIncompleteWrite ? 1 : 0;
}

// Enters a side afresh: full scale, no corner, the shared list emptied by its first page.
SideOutcome enterSide(RunState& state, bool backgroundSide) {
    state.view.flag = ViewFlag::FullScaleReset;
    state.view.roi = RoiState::NoCorner;
    return backgroundSide ? runBackgroundSide(state) : runPeakSide(state);
}

}  // namespace

int run(const std::vector<std::string>& args, Console& console, Graphics& graphics) {
    if (!args.empty() && args[0] == "--help") {
        console.print("%s", kUsage);
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        console.print("xrdpick %s\n", XRDPICK_VERSION);
        return 0;
    }

    // The pattern arrays alone are over 200 KB: the state lives on the heap.
    std::unique_ptr<RunState> state(new (std::nothrow) RunState(console, graphics));
    if (!state) {
        console.print("Memory allocation error\n");
        return 0;
    }
    return run(args, *state);
}

int run(const std::vector<std::string>& args, RunState& state) {
    if (!loadPattern(args, state.console, state.pattern, state.dataFile)) return 0;

    if (state.gfx.open("/gw") <= 0) {
        state.console.print("PGPLOT initialization fail!!!\n");
        return 1;
    }
    state.gfx.ask(false);

    RecoveryWatch watch(state);
    bool backgroundSide = true;
    for (;;) {
        watch.enterSide(backgroundSide);
        const SideOutcome outcome = enterSide(state, backgroundSide);
        switch (outcome.exit) {
            case SideExit::ToOtherSide:
                backgroundSide = !backgroundSide;
                break;
            case SideExit::Quit:
                watch.dropPoints();
                return endRun(state, outcome.key);
            case SideExit::DeviceFailed:
                // A file device left open would never be finished.
                state.gfx.end();
                watch.saveNow(state.console);
                return 1;
        }
    }
}
